#pragma once

#include <string>

namespace kestrun {

// The target of a shortcut: a symbolic link gives its stored target (a relative one taken
// against the link's folder, a missing one given all the same); a ".desktop" file of
// Type=Link with a file:// URL gives that URL's path. Anything else, anything unreadable and
// any target longer than MaxPathLength gives an empty text.
std::string ResolveShortcut(const std::string& path);

}  // namespace kestrun
