#include "platform/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace kestrun {
namespace {

// Owns the two posix_spawn setup objects and keeps the first error any setup step reports.
class SpawnSetup {
  public:
    SpawnSetup() {
        Check(::posix_spawn_file_actions_init(&actions_));
        Check(::posix_spawnattr_init(&attributes_));
    }
    ~SpawnSetup() {
        ::posix_spawn_file_actions_destroy(&actions_);
        ::posix_spawnattr_destroy(&attributes_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    void Check(int result) {
        if (error_ == 0) {
            error_ = result;
        }
    }
    int Error() const { return error_; }
    posix_spawn_file_actions_t* Actions() { return &actions_; }
    posix_spawnattr_t* Attributes() { return &attributes_; }

  private:
    posix_spawn_file_actions_t actions_{};
    posix_spawnattr_t attributes_{};
    int error_ = 0;
};

void RouteStreams(SpawnSetup& setup, int outputFd, bool inputFromNull) {
    if (inputFromNull) {
        setup.Check(::posix_spawn_file_actions_addopen(setup.Actions(), STDIN_FILENO, "/dev/null",
                                                       O_RDONLY, 0));
    }
    if (outputFd >= 0) {
        setup.Check(::posix_spawn_file_actions_adddup2(setup.Actions(), outputFd, STDOUT_FILENO));
    } else {
        setup.Check(::posix_spawn_file_actions_addopen(setup.Actions(), STDOUT_FILENO, "/dev/null",
                                                       O_WRONLY, 0));
    }
    setup.Check(::posix_spawn_file_actions_adddup2(setup.Actions(), STDOUT_FILENO, STDERR_FILENO));
    // Descriptors that someone forgot to mark close-on-exec must not reach the emulator either.
    setup.Check(::posix_spawn_file_actions_addclosefrom_np(setup.Actions(), STDERR_FILENO + 1));
}

void ResetSignals(SpawnSetup& setup, bool newSession) {
    sigset_t none;
    sigset_t all;
    ::sigemptyset(&none);
    ::sigfillset(&all);
    setup.Check(::posix_spawnattr_setsigmask(setup.Attributes(), &none));
    setup.Check(::posix_spawnattr_setsigdefault(setup.Attributes(), &all));
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (newSession) {
        flags |= POSIX_SPAWN_SETSID;
    }
    setup.Check(::posix_spawnattr_setflags(setup.Attributes(), flags));
}

}  // namespace

SpawnResult SpawnChild(const ChildLaunch& launch) {
    if (launch.arguments.empty()) {
        return {-1, EINVAL};
    }
    std::vector<char*> argv;
    argv.reserve(launch.arguments.size() + 1);
    for (const std::string& argument : launch.arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    SpawnSetup setup;
    RouteStreams(setup, launch.outputFd, launch.inputFromNull);
    if (!launch.workingFolder.empty()) {
        setup.Check(
            ::posix_spawn_file_actions_addchdir_np(setup.Actions(), launch.workingFolder.c_str()));
    }
    ResetSignals(setup, launch.newSession);
    if (setup.Error() != 0) {
        return {-1, setup.Error()};
    }

    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, launch.executable.c_str(), setup.Actions(),
                                    setup.Attributes(), argv.data(), environ);
    if (error != 0) {
        return {-1, error};
    }
    return {pid, 0};
}

int OpenProcessFd(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

RunOutcome ReapChild(pid_t pid) {
    int waitStatus = 0;
    for (;;) {
        if (::waitpid(pid, &waitStatus, 0) == pid) {
            return OutcomeOfWaitStatus(waitStatus);
        }
        if (errno != EINTR) {
            return {RunOutcome::Kind::Unknown, errno};
        }
    }
}

RunOutcome OutcomeOfWaitStatus(int waitStatus) {
    if (WIFSIGNALED(waitStatus)) {
        return {RunOutcome::Kind::Killed, WTERMSIG(waitStatus)};
    }
    return {RunOutcome::Kind::Exited, WEXITSTATUS(waitStatus)};
}

}  // namespace kestrun
