#include "launch/output_capture.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <system_error>

#include "platform/debug_output.h"

namespace kestrun {
namespace {

constexpr std::size_t BlockBytes = std::size_t{64} << 10;
constexpr int PipeBytes = 1 << 20;

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace

OutputCapture::~OutputCapture() {
    Join();
    CloseFd(readEnd_);
    CloseFd(stopEvent_);
}

bool OutputCapture::Start() {
    if (readEnd_ >= 0) {
        return false;
    }
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return false;
    }
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    // Room for a talkative emulator to write on without waiting for this thread; where the
    // system refuses, the usual size does.
    ::fcntl(readEnd_, F_SETPIPE_SZ, PipeBytes);
    stopEvent_ = ::eventfd(0, EFD_CLOEXEC);
    // Only the launcher's end: the emulator's writes keep blocking on a full pipe.
    if (stopEvent_ >= 0 && ::fcntl(readEnd_, F_SETFL, O_NONBLOCK) == 0) {
        try {
            thread_ = std::thread([this] { Drain(); });
            return true;
        } catch (const std::system_error&) {
        }
    }
    CloseFd(readEnd_);
    CloseFd(writeEnd_);
    CloseFd(stopEvent_);
    return false;
}

int OutputCapture::WriteEnd() const {
    return thread_.joinable() ? writeEnd_ : -1;
}

void OutputCapture::CloseWriteEnd() {
    CloseFd(writeEnd_);
}

void OutputCapture::Join() {
    CloseWriteEnd();
    if (!thread_.joinable()) {
        return;
    }
    const std::uint64_t stop = 1;
    while (::write(stopEvent_, &stop, sizeof stop) < 0 && errno == EINTR) {
    }
    thread_.join();
}

void OutputCapture::Drain() {
    std::array<char, BlockBytes> block;
    std::array<pollfd, 2> watched{{{readEnd_, POLLIN, 0}, {stopEvent_, POLLIN, 0}}};
    for (;;) {
        if (::poll(watched.data(), watched.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (watched[1].revents != 0) {
            TakeWhatIsLeft(block.data());
            return;
        }
        const ssize_t count = ::read(readEnd_, block.data(), block.size());
        if (count > 0) {
            kept_.Append({block.data(), static_cast<std::size_t>(count)});
        } else if (count == 0) {
            return;  // every write end is closed
        } else if (errno != EINTR && errno != EAGAIN) {
            break;
        }
    }
    DebugOutput("ReadFile() error.\n");
}

// Reads what the pipe holds now and no more: whoever still holds the write end may go on
// writing for ever.
void OutputCapture::TakeWhatIsLeft(char* block) {
    int waiting = 0;
    if (::ioctl(readEnd_, FIONREAD, &waiting) != 0) {
        return;
    }
    for (auto left = static_cast<std::size_t>(waiting); left > 0;) {
        const ssize_t count = ::read(readEnd_, block, std::min(left, BlockBytes));
        if (count > 0) {
            kept_.Append({block, static_cast<std::size_t>(count)});
            left -= static_cast<std::size_t>(count);
        } else if (count == 0 || errno != EINTR) {
            return;
        }
    }
}

}  // namespace kestrun
