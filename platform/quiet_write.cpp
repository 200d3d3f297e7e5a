#include "platform/quiet_write.h"

#include <pthread.h>
#include <signal.h>

#include <cerrno>
#include <ctime>

namespace kestrun {

void WriteQuietly(std::FILE* stream, std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    // A broken pipe raises SIGPIPE in the writing thread: with the signal blocked it stays
    // pending there, and is taken back before the thread's mask is restored.
    sigset_t brokenPipe;
    ::sigemptyset(&brokenPipe);
    ::sigaddset(&brokenPipe, SIGPIPE);
    sigset_t saved;
    ::pthread_sigmask(SIG_BLOCK, &brokenPipe, &saved);
    sigset_t pending;
    ::sigpending(&pending);
    const bool pendingBefore = ::sigismember(&pending, SIGPIPE) == 1;

    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);

    if (!pendingBefore) {
        const timespec noWait{};
        while (::sigtimedwait(&brokenPipe, nullptr, &noWait) < 0 && errno == EINTR) {
        }
    }
    ::pthread_sigmask(SIG_SETMASK, &saved, nullptr);
}

}  // namespace kestrun
