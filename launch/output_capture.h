#pragma once

#include <string_view>
#include <thread>

#include "launch/kept_output.h"

namespace kestrun {

// Collects one emulator run's standard output and standard error: a pipe whose write end goes
// to the emulator, drained in large blocks by a thread of its own, keeping the first and the
// last bytes (KeptOutput). Only that thread touches what is kept until Join has ended it.
class OutputCapture {
  public:
    OutputCapture() = default;
    ~OutputCapture();
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    // Creates the pipe and starts the thread that drains it. False when either cannot be made
    // or the capture was started before.
    bool Start();

    // The end to give the emulator as its standard output and standard error; -1 when no
    // thread drains the pipe, since an emulator writing into it would then stall.
    int WriteEnd() const;
    // Drops the launcher's copy of the write end, once the emulator has its own.
    void CloseWriteEnd();

    // To call once the emulator itself has ended: takes what is already in the pipe and ends
    // the thread. Never waits for processes that the emulator left behind holding the pipe.
    void Join();

    std::string_view Head() const { return kept_.Head(); }
    std::string_view Tail() const { return kept_.Tail(); }

  private:
    void Drain();
    void TakeWhatIsLeft(char* block);

    std::thread thread_;
    int readEnd_ = -1;  // non-blocking
    int writeEnd_ = -1;
    int stopEvent_ = -1;  // becomes readable when Join asks the thread to end
    KeptOutput kept_;
};

}  // namespace kestrun
