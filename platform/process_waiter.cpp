#include "platform/process_waiter.h"

#include <poll.h>

#include <cerrno>

namespace kestrun {

bool BlockingProcessWaiter::WaitForExit(int processFd) {
    // poll() skips negative descriptors, which would make this sleep for ever.
    if (processFd < 0) {
        return false;
    }
    pollfd watched{processFd, POLLIN, 0};
    for (;;) {
        const int ready = ::poll(&watched, 1, -1);
        if (ready > 0) {
            return (watched.revents & POLLIN) != 0;
        }
        if (ready < 0 && errno != EINTR) {
            return false;
        }
    }
}

}  // namespace kestrun
