#pragma once

#include <string>

namespace kestrun {

// The user's desktop folder, without a final separator: XDG_DESKTOP_DIR from the user-dirs.dirs
// file of the configuration folder (with $HOME expanded), else ~/Desktop. Empty when HOME is
// not set.
std::string DesktopFolder();

// The user's home folder without a final separator: HOME when it is absolute, else the
// account's home from the user database. Empty when neither is known.
std::string HomeFolder();

// The folder of the user's own data files: XDG_DATA_HOME when it is absolute, else
// ~/.local/share. Empty when the home folder is unknown.
std::string DataHomeFolder();

}  // namespace kestrun
