#include "platform/file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

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

bool IsExecutableFile(const std::string& path) {
    return FileExists(path) && ::access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> FindOnPath(std::string_view name) {
    const char* variable = std::getenv("PATH");
    std::string_view folders = variable ? variable : "";
    while (!folders.empty()) {
        const auto end = folders.find(':');
        const std::string_view folder = folders.substr(0, end);
        folders.remove_prefix(end == std::string_view::npos ? folders.size() : end + 1);
        if (!folder.empty()) {
            std::string candidate = std::string(folder) + "/" + std::string(name);
            if (IsExecutableFile(candidate)) {
                return candidate;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> ReadFileUpTo(const std::string& path, std::size_t maxBytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::string content(maxBytes + 1, '\0');
    file.read(content.data(), static_cast<std::streamsize>(content.size()));
    const auto size = static_cast<std::size_t>(file.gcount());
    if (size > maxBytes || file.bad()) {
        return std::nullopt;
    }
    content.resize(size);
    return content;
}

}  // namespace kestrun
