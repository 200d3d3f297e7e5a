#include "launch/process_runner.h"

#include <unistd.h>

#include <utility>

#include "launch/argument_split.h"
#include "platform/paths.h"

namespace kestrun {
namespace {

ChildLaunch LaunchFor(std::vector<std::string> arguments, bool detach,
                      const std::string& programFolder, int outputFd) {
    ChildLaunch launch;
    launch.arguments = std::move(arguments);
    if (!launch.arguments.empty()) {
        const std::string& program = launch.arguments.front();
        launch.executable = IsAbsolutePath(program) ? program : programFolder + program;
    }
    launch.workingFolder = programFolder;
    launch.outputFd = outputFd;
    launch.newSession = detach;
    return launch;
}

RunOutcome WaitForChild(const SpawnResult& started, ProcessWaiter& waiter) {
    if (started.error != 0) {
        return {RunOutcome::Kind::NotStarted, started.error};
    }
    const int processFd = OpenProcessFd(started.pid);
    if (processFd >= 0) {
        // Whatever the waiter reports, the reaping below waits for the real end.
        waiter.WaitForExit(processFd);
        ::close(processFd);
    }
    return ReapChild(started.pid);
}

}  // namespace

RunOutcome RunAndWait(std::string_view commandLine, bool detach, const std::string& programFolder,
                      OutputCapture& capture, ProcessWaiter& waiter) {
    return RunAndWait(SplitCommandLine(commandLine), detach, programFolder, capture, waiter);
}

RunOutcome RunAndWait(std::vector<std::string> arguments, bool detach,
                      const std::string& programFolder, OutputCapture& capture,
                      ProcessWaiter& waiter) {
    const SpawnResult started =
        SpawnChild(LaunchFor(std::move(arguments), detach, programFolder, capture.WriteEnd()));
    // From here on only the emulator (and what it starts) holds the pipe.
    capture.CloseWriteEnd();
    const RunOutcome outcome = WaitForChild(started, waiter);
    capture.Join();
    return outcome;
}

}  // namespace kestrun
