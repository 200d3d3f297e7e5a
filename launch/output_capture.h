#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

namespace kestrun {

struct FreeDeleter {
    void operator()(char* bytes) const { std::free(bytes); }
};

// The tail of everything one emulator run writes to its standard output and standard error:
// a pipe whose write end goes to the emulator, drained by a thread of its own into a buffer
// that keeps the most recent Capacity bytes, oldest first. While the thread runs only it
// touches Buffer and Length; everyone else reads them after JoinCapture.
struct OutputCapture {
    OutputCapture() = default;
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;
    ~OutputCapture();

    std::thread Thread;  // joinable until awaited
    int ReadEnd = -1;    // the launcher's end, close-on-exec
    int WriteEnd = -1;   // given to the emulator as standard output and standard error
    std::unique_ptr<char[], FreeDeleter> Buffer;  // zero-filled, allocated on the first data
    std::size_t Length = 0;
    std::size_t Capacity = 0;
};

// Creates the pipe (both ends close-on-exec) and starts the capture thread. True when the
// thread runs. A failure before the thread leaves the record as it was; a record that is
// already in use is refused.
bool StartCapture(OutputCapture& capture, std::size_t capacity);

// The capture thread's routine: reads 10 bytes at a time until the pipe ends (every copy of
// the write end closed, grandchildren's included) or a read fails.
int CaptureThread(OutputCapture& capture);

// Closes the launcher's copy of the write end, so that the pipe ends with the emulator.
void CloseCaptureWriteEnd(OutputCapture& capture);

// Waits for the capture thread without a time limit, if there is one not yet awaited.
void JoinCapture(OutputCapture& capture);

// Writes the captured bytes to the stream and flushes it; nothing when there are none.
void WriteCapture(const OutputCapture& capture, std::FILE* stream);

// Ends the capture and frees the buffer and the pipe; the record can then be reused.
void ReleaseCapture(OutputCapture& capture);

}  // namespace kestrun
