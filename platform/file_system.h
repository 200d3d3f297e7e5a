#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrun {

// True when the path names something whose attributes can be read and that is not a folder.
// Asks the file system afresh at every call.
bool FileExists(const std::string& path);

// True when the path names a folder.
bool FolderExists(const std::string& path);

// Makes the folder and every missing folder above it, new ones with the mode. Returns 0, or
// the errno value of the failure (ENOTDIR when some part is not a folder).
int MakeFolders(const std::string& path, mode_t mode);
// True for a file (not a folder) that this user may run.
bool IsExecutableFile(const std::string& path);

// The first folder of $PATH that holds a runnable file of that name, with the name appended;
// empty entries (which would mean the current folder) are passed over.
std::optional<std::string> FindOnPath(std::string_view name);

// The whole content of a file of at most maxBytes bytes; nothing when it cannot be read or is
// longer, so a hostile file never costs more than that.
std::optional<std::string> ReadFileUpTo(const std::string& path, std::size_t maxBytes);

}  // namespace kestrun
