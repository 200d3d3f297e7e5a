#include "launch/process_runner.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

#include "launch/argument_split.h"
#include "platform/child_process.h"
#include "platform/paths.h"

namespace kestrun {
namespace {

ChildLaunch LaunchFor(std::vector<std::string> arguments, bool detach,
                      const std::string& programFolder, const OutputCapture& capture) {
    ChildLaunch launch;
    launch.arguments = std::move(arguments);
    if (!launch.arguments.empty()) {
        const std::string& program = launch.arguments.front();
        launch.executable = IsAbsolutePath(program) ? program : programFolder + program;
    }
    launch.workingFolder = programFolder;
    // Without a thread draining the pipe, a talkative emulator would block on it for ever.
    launch.outputFd = capture.Thread.joinable() ? capture.WriteEnd : -1;
    launch.newSession = detach;
    return launch;
}

}  // namespace

int RunAndWait(std::string_view commandLine, bool detach, const std::string& programFolder,
               OutputCapture& capture, ProcessWaiter& waiter) {
    return RunAndWait(SplitCommandLine(commandLine), detach, programFolder, capture, waiter);
}

int RunAndWait(std::vector<std::string> arguments, bool detach, const std::string& programFolder,
               OutputCapture& capture, ProcessWaiter& waiter) {
    const SpawnResult started =
        SpawnChild(LaunchFor(std::move(arguments), detach, programFolder, capture));
    CloseCaptureWriteEnd(capture);
    if (started.error != 0) {
        return started.error;
    }
    const int processFd = OpenProcessFd(started.pid);
    if (processFd >= 0) {
        // Whatever the waiter reports, the reaping below waits for the real end.
        waiter.WaitForExit(processFd);
        ::close(processFd);
    }
    return ReapChild(started.pid);
}

}  // namespace kestrun
