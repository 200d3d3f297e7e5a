#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "launch/output_capture.h"
#include "platform/child_process.h"
#include "platform/process_waiter.h"

namespace kestrun {

// Runs the emulator's command line and waits for its end. The first word names the
// executable, taken from the program folder unless it is an absolute path; the words are
// split as the Windows C runtime splits them, and no shell ever sees them. The child starts
// in the program folder with the launcher's standard input and environment; its standard
// output and standard error go to the capture's pipe when a capture thread drains it, and to
// /dev/null otherwise. With the detach flag the child gets a session of its own.
//
// The child is always collected, even when the waiter fails. Once it has ended (or could not
// start) the capture is joined, so it holds everything the emulator itself wrote.
RunOutcome RunAndWait(std::string_view commandLine, bool detach, const std::string& programFolder,
                      OutputCapture& capture, ProcessWaiter& waiter);

// The same for an argument vector that is already split, the program name first.
RunOutcome RunAndWait(std::vector<std::string> arguments, bool detach,
                      const std::string& programFolder, OutputCapture& capture,
                      ProcessWaiter& waiter);

}  // namespace kestrun
