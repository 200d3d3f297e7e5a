#include "launch/process_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "launch/argument_split.h"
#include "platform/child_process.h"
#include "tests/launch/runner/emulator_fixture.h"

namespace kestrun::testing {
namespace {

namespace fs = std::filesystem;

bool NoChildLeft() {
    return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

// Counts the waits; either really waits or fails at once.
class RecordingWaiter final : public ProcessWaiter {
  public:
    explicit RecordingWaiter(bool fails = false) : fails_(fails) {}
    bool WaitForExit(int processFd) override {
        ++calls;
        return !fails_ && blocking_.WaitForExit(processFd);
    }
    int calls = 0;

  private:
    bool fails_;
    BlockingProcessWaiter blocking_;
};

using ProcessRunnerTest = EmulatorTest;

TEST_F(ProcessRunnerTest, ReportsHowTheEmulatorEndedWithItsOutputAndCollectsIt) {
    const std::tuple<const char*, const char*, RunOutcome> cases[] = {
        {"TEST_EMULATOR_EXIT_CODE", "0", {RunOutcome::Kind::Exited, 0}},
        {"TEST_EMULATOR_EXIT_CODE", "255", {RunOutcome::Kind::Exited, 255}},
        {"TEST_EMULATOR_SIGNAL", "15", {RunOutcome::Kind::Killed, SIGTERM}},
    };
    Set("TEST_EMULATOR_STDOUT_TEXT", "error\n");
    Set("TEST_EMULATOR_STDERR_TEXT", "more\n");
    for (const auto& [setting, value, expected] : cases) {
        SCOPED_TRACE(value);
        Set(setting, value);
        const CapturedRun run = Run("mame.exe \"pacman\"");
        EXPECT_EQ(run.outcome, expected);
        EXPECT_EQ(run.tail, "error\nmore\n");  // both streams, in the order written
        EXPECT_TRUE(NoChildLeft());
    }
}

// Real runs above cover plain exits and signals; a core dump is hard to provoke in a test.
TEST(OutcomeOfWaitStatusTest, ACoreDumpStillGivesTheSignal) {
    EXPECT_EQ(OutcomeOfWaitStatus(WCOREFLAG | W_EXITCODE(0, SIGSEGV)),
              (RunOutcome{RunOutcome::Kind::Killed, SIGSEGV}));
}

TEST_F(ProcessRunnerTest, AnExecutableThatCannotStartGivesItsErrorWithoutWaiting) {
    struct Case {
        void (*prepare)(const std::string& executable);
        int expected;
    };
    const Case cases[] = {
        {[](const std::string& path) { fs::remove(path); }, ENOENT},
        {[](const std::string& path) { ::chmod(path.c_str(), 0644); }, EACCES},
        {[](const std::string& path) { std::ofstream(path) << "MZ\x90"; }, ENOEXEC},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        fs::remove_all(ProgramFolder() + "mame.exe");
        fs::copy_file(KESTRUN_TEST_EMULATOR_PATH, ProgramFolder() + "mame.exe");
        c.prepare(ProgramFolder() + "mame.exe");
        OutputCapture capture;
        ASSERT_TRUE(capture.Start());
        RecordingWaiter waiter;

        EXPECT_EQ(RunAndWait("mame.exe \"pacman\"", false, ProgramFolder(), capture, waiter),
                  (RunOutcome{RunOutcome::Kind::NotStarted, c.expected}));
        EXPECT_EQ(waiter.calls, 0);
        EXPECT_EQ(capture.Tail(), "");
    }
}

// The launcher's own settings (a forgotten descriptor, a SIGPIPE ignored and blocked as a
// library might leave it) must not reach the emulator; detached, it leads a session of its own.
// It gets the words of the splitting rules, and no shell ever sees them.
TEST_F(ProcessRunnerTest, TheEmulatorStartsInTheProgramFolderWithOnlyTheStandardStreams) {
    const int forgotten = ::open("/dev/null", O_RDONLY);  // deliberately not close-on-exec
    ASSERT_GE(forgotten, 0);
    ASSERT_NE(fs::current_path(), fs::canonical(ProgramFolder()));
    struct stat input {};
    ASSERT_EQ(::fstat(STDIN_FILENO, &input), 0);
    const auto savedHandler = ::signal(SIGPIPE, SIG_IGN);
    sigset_t brokenPipe;
    sigset_t savedMask;
    ::sigemptyset(&brokenPipe);
    ::sigaddset(&brokenPipe, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &brokenPipe, &savedMask);

    const std::string line =
        R"x(mame.exe "pacman"; touch made-by-shell; "$(touch made-by-shell)")x";
    for (const bool detach : {false, true}) {
        OutputCapture capture;
        BlockingProcessWaiter waiter;
        EXPECT_TRUE(RunAndWait(line, detach, ProgramFolder(), capture, waiter).Succeeded());
        EXPECT_FALSE(fs::exists(ProgramFolder() + "made-by-shell"));
        const EmulatorRecord record = ReadRecord();
        EXPECT_EQ(record.arguments, SplitCommandLine(line));
        EXPECT_EQ(record.facts.at("session"), detach ? "1" : "0");
        EXPECT_EQ(record.facts.at("cwd"), fs::canonical(ProgramFolder()).string());
        EXPECT_EQ(record.facts.at("fds"), "0,1,2");
        EXPECT_EQ(record.facts.at("sigpipe"), "default");
        EXPECT_EQ(record.facts.at("stdin"),
                  std::to_string(input.st_dev) + ":" + std::to_string(input.st_ino));
    }
    ::close(forgotten);
    ::pthread_sigmask(SIG_SETMASK, &savedMask, nullptr);
    ::signal(SIGPIPE, savedHandler);
}

TEST_F(ProcessRunnerTest, AFailedWaitStillGivesTheRealStatusAndCollectsTheChild) {
    Set("TEST_EMULATOR_SLEEP_MS", "200");
    Set("TEST_EMULATOR_EXIT_CODE", "3");
    OutputCapture capture;
    RecordingWaiter waiter(true);

    EXPECT_EQ(RunAndWait("mame.exe \"pacman\"", false, ProgramFolder(), capture, waiter),
              (RunOutcome{RunOutcome::Kind::Exited, 3}));
    EXPECT_EQ(waiter.calls, 1);
    EXPECT_TRUE(NoChildLeft());
}

void IgnoreAlarm(int) {}

TEST_F(ProcessRunnerTest, InterruptedSystemCallsAreRetried) {
    struct sigaction alarm {};
    alarm.sa_handler = IgnoreAlarm;  // no SA_RESTART: every blocked call sees EINTR
    struct sigaction saved {};
    ASSERT_EQ(::sigaction(SIGALRM, &alarm, &saved), 0);
    const itimerval everyFewMilliseconds{{0, 3000}, {0, 3000}};
    ASSERT_EQ(::setitimer(ITIMER_REAL, &everyFewMilliseconds, nullptr), 0);

    Set("TEST_EMULATOR_SLEEP_MS", "300");
    Set("TEST_EMULATOR_STDOUT_BYTES", "5000");
    Set("TEST_EMULATOR_EXIT_CODE", "4");
    const CapturedRun run = Run("mame.exe \"pacman\"");

    const itimerval off{};
    ::setitimer(ITIMER_REAL, &off, nullptr);
    ::sigaction(SIGALRM, &saved, nullptr);
    EXPECT_EQ(run.outcome, (RunOutcome{RunOutcome::Kind::Exited, 4}));
    EXPECT_EQ(run.tail, Pattern(5000 - 1024, 1024));
    EXPECT_TRUE(NoChildLeft());
}

TEST(BlockingProcessWaiterTest, RefusesDescriptorsThatCannotBeWaitedOn) {
    BlockingProcessWaiter waiter;
    EXPECT_FALSE(waiter.WaitForExit(-1));
    EXPECT_FALSE(waiter.WaitForExit(1 << 20));
}

}  // namespace
}  // namespace kestrun::testing
