#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kestrun {

// What a child process is started with. The executable is used as given, never looked up
// on PATH and never handed to a shell.
struct ChildLaunch {
    std::string executable;
    std::vector<std::string> arguments;  // the whole argument vector, the program name first
    std::string workingFolder;           // empty: the launcher's own current directory
    int outputFd = -1;           // the child's stdout and stderr; -1 sends both to /dev/null
    bool newSession = false;     // detached from the launcher's terminal
    bool inputFromNull = false;  // /dev/null as standard input instead of the launcher's
};

// How a child's run ended.
struct RunOutcome {
    enum class Kind {
        Exited,      // value: its exit code, 0..255
        Killed,      // value: the number of the signal that ended it
        NotStarted,  // value: the errno of the failed start
        Unknown,     // it ran, but its end could not be collected; value: that errno
    };
    Kind kind = Kind::Exited;
    int value = 0;

    bool Succeeded() const { return kind == Kind::Exited && value == 0; }
    bool operator==(const RunOutcome&) const = default;
};

struct SpawnResult {
    pid_t pid = -1;
    int error = 0;  // errno of a failed start, 0 on success
};

// Starts the child with the launcher's environment and (unless asked otherwise) standard input,
// default signal handling and an empty signal mask. Every descriptor above standard error is
// closed in the child, whether or not it was marked close-on-exec.
SpawnResult SpawnChild(const ChildLaunch& launch);

// A descriptor that becomes readable once the child has ended (close-on-exec), or -1 where
// the kernel offers none.
int OpenProcessFd(pid_t pid);

// Waits for the child's end and collects it, so that it never lingers as a zombie. Unknown
// with ECHILD when someone else already collected it.
RunOutcome ReapChild(pid_t pid);

RunOutcome OutcomeOfWaitStatus(int waitStatus);

}  // namespace kestrun
