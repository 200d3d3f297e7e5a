#pragma once

#include <sys/types.h>

#include <string>

namespace kestrun {

// True when the path names something whose attributes can be read and that is not a folder.
// Asks the file system afresh at every call.
bool FileExists(const std::string& path);

// True when the path names a folder.
bool FolderExists(const std::string& path);

// Makes the folder and every missing folder above it, new ones with the mode. Returns 0, or
// the errno value of the failure (ENOTDIR when some part is not a folder).
int MakeFolders(const std::string& path, mode_t mode);

}  // namespace kestrun
