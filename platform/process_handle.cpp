#include "platform/process_handle.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace kestrun {
namespace {

bool IsProcessHandle(int handle) {
    // Signal 0 checks the handle without touching the process.
    if (::syscall(SYS_pidfd_send_signal, handle, 0, nullptr, 0) == 0) {
        return true;
    }
    return errno == ESRCH || errno == EPERM;
}

}  // namespace

int OpenInheritableProcessHandle() {
    const auto handle = static_cast<int>(::syscall(SYS_pidfd_open, ::getpid(), 0));
    if (handle < 0) {
        return -1;
    }
    // pidfd_open always sets close-on-exec; the copy must inherit the handle.
    if (::fcntl(handle, F_SETFD, 0) != 0) {
        ::close(handle);
        return -1;
    }
    return handle;
}

bool WaitForProcessHandle(int handle) {
    if (handle < 0 || !IsProcessHandle(handle)) {
        return false;
    }
    pollfd ended{handle, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&ended, 1, -1);
    } while (ready < 0 && errno == EINTR);
    ::close(handle);
    return ready == 1 && (ended.revents & POLLIN) != 0;
}

void CloseProcessHandle(int handle) {
    ::close(handle);
}

}  // namespace kestrun
