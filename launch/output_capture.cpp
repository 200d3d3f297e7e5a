#include "launch/output_capture.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/debug_output.h"

namespace kestrun {
namespace {

constexpr std::size_t ChunkSize = 10;

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

ssize_t ReadChunk(int fd, char* chunk) {
    for (;;) {
        const ssize_t count = ::read(fd, chunk, ChunkSize);
        if (count >= 0 || errno != EINTR) {
            return count;
        }
    }
}

// Appends the chunk to the tail buffer, dropping the oldest bytes once it is full.
void StoreChunk(OutputCapture& capture, const char* chunk, std::size_t count) {
    char* buffer = capture.Buffer.get();
    if (capture.Length + count <= capture.Capacity) {
        std::memcpy(buffer + capture.Length, chunk, count);
        capture.Length += count;
    } else if (count > capture.Capacity) {
        std::memcpy(buffer, chunk + (count - capture.Capacity), capture.Capacity);
        capture.Length = capture.Capacity;
    } else {
        const std::size_t dropped = capture.Length + count - capture.Capacity;
        const std::size_t kept = capture.Length - dropped;
        std::memmove(buffer, buffer + dropped, kept);
        std::memcpy(buffer + kept, chunk, count);
        capture.Length = capture.Capacity;
    }
}

}  // namespace

OutputCapture::~OutputCapture() {
    ReleaseCapture(*this);
}

bool StartCapture(OutputCapture& capture, std::size_t capacity) {
    if (capture.Thread.joinable() || capture.ReadEnd >= 0 || capture.WriteEnd >= 0) {
        return false;
    }
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return false;
    }
    capture.ReadEnd = ends[0];
    capture.WriteEnd = ends[1];
    capture.Capacity = capacity;
    try {
        capture.Thread = std::thread([&capture] { CaptureThread(capture); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

int CaptureThread(OutputCapture& capture) {
    char chunk[ChunkSize];
    bool storing = true;
    for (;;) {
        const ssize_t count = ReadChunk(capture.ReadEnd, chunk);
        if (count <= 0) {
            if (count < 0) {
                DebugOutput("ReadFile() error.\n");
            }
            return 0;
        }
        if (!storing) {
            continue;
        }
        if (!capture.Buffer) {
            capture.Buffer.reset(static_cast<char*>(std::calloc(capture.Capacity, 1)));
            if (!capture.Buffer) {
                capture.Length = 0;
                DebugOutput("HeapAlloc() error.\n");
                // Keep draining without storing: a pipe nobody reads would stall the emulator.
                storing = false;
                continue;
            }
        }
        StoreChunk(capture, chunk, static_cast<std::size_t>(count));
    }
}

void CloseCaptureWriteEnd(OutputCapture& capture) {
    CloseFd(capture.WriteEnd);
}

void JoinCapture(OutputCapture& capture) {
    if (capture.Thread.joinable()) {
        capture.Thread.join();
    }
}

void WriteCapture(const OutputCapture& capture, std::FILE* stream) {
    if (capture.Length != 0 && capture.Buffer) {
        std::fwrite(capture.Buffer.get(), 1, capture.Length, stream);
        std::fflush(stream);
    }
}

void ReleaseCapture(OutputCapture& capture) {
    // With our own write end still open the thread would never see the pipe's end.
    CloseCaptureWriteEnd(capture);
    JoinCapture(capture);
    capture.Buffer.reset();
    capture.Length = 0;
    CloseFd(capture.ReadEnd);
}

}  // namespace kestrun
