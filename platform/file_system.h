#pragma once

#include <string>

namespace kestrun {

// True when the path names something whose attributes can be read and that is not a folder.
// Asks the file system afresh at every call.
bool FileExists(const std::string& path);

// True when the path names a folder.
bool FolderExists(const std::string& path);

}  // namespace kestrun
