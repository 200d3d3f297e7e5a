#include "launch/process_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include "launch/argument_split.h"
#include "tests/launch/runner/emulator_fixture.h"

namespace kestrun::testing {
namespace {

using Kind = RunOutcome::Kind;

bool NoChildLeft() {
    return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

using ProcessRunnerTest = EmulatorTest;

// The launcher's own settings (a forgotten descriptor, a SIGPIPE ignored and blocked as a
// library might leave it) must not reach the emulator; detached, it leads a session of its own.
// It gets the words of the splitting rules, and no shell ever sees them.
TEST_F(ProcessRunnerTest, TheEmulatorStartsInTheProgramFolderWithOnlyTheStandardStreams) {
    const int forgotten = ::open("/dev/null", O_RDONLY);  // deliberately not close-on-exec
    const auto savedHandler = ::signal(SIGPIPE, SIG_IGN);
    sigset_t brokenPipe, savedMask;
    ::sigemptyset(&brokenPipe);
    ::sigaddset(&brokenPipe, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &brokenPipe, &savedMask);

    const std::string line = R"x(mame.exe "pacman"; touch by-shell; "$(touch by-shell)")x";
    for (const bool detach : {false, true}) {
        OutputCapture capture;
        BlockingProcessWaiter waiter;
        EXPECT_TRUE(RunAndWait(line, detach, ProgramFolder(), capture, waiter).Succeeded());
        EXPECT_FALSE(std::filesystem::exists(ProgramFolder() + "by-shell"));
        const EmulatorRecord record = ReadRecord();
        EXPECT_EQ(record.arguments, SplitCommandLine(line));
        EXPECT_EQ(record.facts.at("session"), detach ? "1" : "0");
        EXPECT_EQ(record.facts.at("cwd"), std::filesystem::canonical(ProgramFolder()).string());
        EXPECT_EQ(record.facts.at("fds"), "0,1,2");
        EXPECT_EQ(record.facts.at("sigpipe"), "default");
    }
    ::close(forgotten);
    ::pthread_sigmask(SIG_SETMASK, &savedMask, nullptr);
    ::signal(SIGPIPE, savedHandler);
}

void IgnoreAlarm(int) {}

// The run ends by a signal, with output on both streams, while every blocked call of the
// launcher keeps being interrupted.
TEST_F(ProcessRunnerTest, ReportsHowTheEmulatorEndedThoughItsCallsAreInterrupted) {
    struct sigaction alarm {};
    alarm.sa_handler = IgnoreAlarm;  // no SA_RESTART: every blocked call sees EINTR
    struct sigaction saved {};
    ASSERT_EQ(::sigaction(SIGALRM, &alarm, &saved), 0);
    const itimerval everyFewMilliseconds{{0, 3000}, {0, 3000}};
    ASSERT_EQ(::setitimer(ITIMER_REAL, &everyFewMilliseconds, nullptr), 0);

    Set("TEST_EMULATOR_SLEEP_MS", "300");
    Set("TEST_EMULATOR_STDOUT_BYTES", "5000");
    Set("TEST_EMULATOR_STDERR_TEXT", "error\n");
    Set("TEST_EMULATOR_SIGNAL", "15");
    const CapturedRun run = Run("mame.exe \"pacman\"");

    const itimerval off{};
    ::setitimer(ITIMER_REAL, &off, nullptr);
    ::sigaction(SIGALRM, &saved, nullptr);
    EXPECT_EQ(run.outcome, (RunOutcome{Kind::Killed, SIGTERM}));
    EXPECT_EQ(run.tail, TestEmulatorPattern(5000 - 1018, 1018) + "error\n");
    EXPECT_TRUE(NoChildLeft());
}

// Many times what a pipe holds: the emulator only ends if the pipe is drained all along.
TEST_F(ProcessRunnerTest, TheCaptureKeepsTheFirstAndLastBytesOfALongRun) {
    constexpr std::size_t Written = 3'000'000;
    Set("TEST_EMULATOR_STDOUT_BYTES", std::to_string(Written));
    const CapturedRun run = Run("mame.exe \"pacman\"");
    EXPECT_EQ(run.outcome, RunOutcome{});
    EXPECT_EQ(run.head, TestEmulatorPattern(0, 1024));
    EXPECT_EQ(run.tail, TestEmulatorPattern(Written - 1024, 1024));
}

TEST_F(ProcessRunnerTest, TheCaptureStopsOnceTheEmulatorHasEndedThoughItsChildHoldsThePipe) {
    Set("TEST_EMULATOR_STDOUT_TEXT", "child\n");
    Set("TEST_EMULATOR_GRANDCHILD_MS", "15000");
    const auto began = std::chrono::steady_clock::now();
    const CapturedRun run = Run("mame.exe \"pacman\"");
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(5));
    EXPECT_EQ(run.tail, "child\n");
    ::kill(std::stoi(ReadRecord().facts.at("grandchild")), SIGKILL);
}

// What programs built on the Windows C runtime receive for these lines.
TEST(SplitCommandLine, GivesTheRuntimesArguments) {
    using Words = std::vector<std::string>;
    const std::pair<std::string, Words> cases[] = {
        {"mame.exe\t \"pacman\"  -norc\t", {"mame.exe", "pacman", "-norc"}},
        {R"(mame.exe a\\\"b c d)", {"mame.exe", R"(a\"b)", "c", "d"}},
        {R"(mame.exe a\\\\"b c" d e)", {"mame.exe", R"(a\\b c)", "d", "e"}},
        {R"(mame.exe a"b"" c d)", {"mame.exe", R"(ab" c d)"}},
        {R"(mame.exe C:\roms\ "" x)", {"mame.exe", R"(C:\roms\)", "", "x"}},
        {R"("C:\Program Files\mame.exe" x)", {R"(C:\Program Files\mame.exe)", "x"}},
        {R"(ma\"me x" y)", {R"(ma\me x)", "y"}},  // the program name keeps its backslashes
        {std::string("mame.exe a\0b c", 14), {"mame.exe", "a"}},
        {"", {}},
    };
    for (const auto& [line, words] : cases) {
        EXPECT_EQ(SplitCommandLine(line), words) << line;
    }
}

}  // namespace
}  // namespace kestrun::testing
