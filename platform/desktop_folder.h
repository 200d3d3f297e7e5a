#pragma once

#include <string>

namespace kestrun {

// The user's desktop folder, without a final separator: XDG_DESKTOP_DIR from the user-dirs.dirs
// file of the configuration folder (with $HOME expanded), else ~/Desktop. Empty when HOME is
// not set.
std::string DesktopFolder();

}  // namespace kestrun
