#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/paths.h"
#include "platform/temporary_folder.h"

namespace kestrun {

std::string InstanceLockPath(std::string_view programBaseName) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && IsAbsolutePath(runtime)) {
        std::string path(runtime);
        if (path.back() != PathSeparator) {
            path += PathSeparator;
        }
        return path.append(programBaseName).append(".lock");
    }
    // The shared temporary folder is keyed by user, so one user's lock never blocks another.
    return TemporaryFolder()
        .append(programBaseName)
        .append("-")
        .append(std::to_string(::getuid()))
        .append(".lock");
}

InstanceLock::InstanceLock(const std::string& lockFile) {
    // No link is followed: in a shared folder it could point at someone else's file.
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        return;
    }
    int result = 0;
    do {
        result = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        state_ = State::Held;
        return;
    }
    state_ = errno == EWOULDBLOCK ? State::HeldElsewhere : State::Unavailable;
    ::close(fd_);
    fd_ = -1;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

}  // namespace kestrun
