#include "platform/file_system.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/paths.h"

namespace kestrun {

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int MakeFolders(const std::string& path, mode_t mode) {
    for (std::size_t end = path.find(PathSeparator, 1);; end = path.find(PathSeparator, end + 1)) {
        const std::string part = path.substr(0, end);
        if (::mkdir(part.c_str(), mode) != 0 && errno != EEXIST) {
            return errno;
        }
        if (!FolderExists(part)) {
            return ENOTDIR;
        }
        if (end == std::string::npos) {
            return 0;
        }
    }
}

}  // namespace kestrun
