#include "platform/event_signal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace kestrun {

EventSignal::EventSignal() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

EventSignal::~EventSignal() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void EventSignal::Raise() {
    if (fd_ >= 0) {
        const std::uint64_t one = 1;
        // Only a counter at its maximum refuses the write, and that is readable already.
        [[maybe_unused]] const ssize_t written = ::write(fd_, &one, sizeof one);
    }
}

}  // namespace kestrun
