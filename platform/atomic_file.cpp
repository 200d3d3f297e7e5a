#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/file_system.h"
#include "platform/paths.h"

namespace kestrun {
namespace {

int WriteAll(int file, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(file, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// A pattern for mkostemp: a hidden name beside the file, on the same file system.
std::string TemporaryNameBeside(const std::string& path) {
    return FolderOf(path) + "." + std::string(BaseNameOf(path)) + ".XXXXXX";
}

}  // namespace

int WriteFileAtomically(const std::string& path, std::string_view content, mode_t mode) {
    std::string temporary = TemporaryNameBeside(path);
    const int file = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (file < 0) {
        return errno;
    }
    int error = WriteAll(file, content);
    if (error == 0 && ::fchmod(file, mode) != 0) {
        error = errno;
    }
    if (error == 0 && ::fsync(file) != 0) {
        error = errno;
    }
    if (::close(file) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
    }
    return error;
}

int ReplacementProblem(const std::string& path) {
    const std::string folder = FolderOf(path);
    if (const int made = MakeFolders(folder, 0777); made != 0) {
        return made;
    }
    if (const int existing = ::open(path.c_str(), O_RDWR | O_CLOEXEC); existing >= 0) {
        ::close(existing);
    } else if (errno != ENOENT) {
        return errno;
    }
    std::string probe = TemporaryNameBeside(path);
    const int file = ::mkostemp(probe.data(), O_CLOEXEC);
    if (file < 0) {
        return errno;
    }
    ::close(file);
    ::unlink(probe.c_str());
    struct statvfs space {};
    return ::statvfs(folder.c_str(), &space) == 0 && space.f_bavail == 0 ? ENOSPC : 0;
}

}  // namespace kestrun
