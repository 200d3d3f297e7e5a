#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "tests/start/start_fixture.h"

namespace kestrun::testing {
namespace {

using Log = std::vector<std::string>;

struct WindowCase {
    const char* name;
    bool displaySwitched;
    bool switchedDuringRun;  // the full-screen mode comes on while the emulator runs
    const char* exitCode;
    Log log;
};

void PrintTo(const WindowCase& c, std::ostream* out) {
    *out << c.name;
}

// The order of the window's calls around the run; the main window's own tests see only the
// outcome.
const WindowCase WindowCases[] = {
    {"HiddenDuringAFailedRun",
     false,
     false,
     "1",
     {"read", "history:pacman", "hide", "wait", "show", "snapshot:pacman", "focus"}},
    {"FullScreenIsReappliedAfterASuccessfulRun",
     true,
     false,
     "0",
     {"read", "history:pacman", "wait", "snapshot:pacman", "reassert", "focus"}},
    // The mode is read again after the run, not only before it.
    {"FullScreenTurnedOnDuringTheRun",
     false,
     true,
     "0",
     {"read", "history:pacman", "hide", "wait", "snapshot:pacman", "reassert", "focus"}},
};

class StartWindowTest : public StartCommandTest,
                        public ::testing::WithParamInterface<WindowCase> {};

TEST_P(StartWindowTest, TheWindowFollowsTheRun) {
    const WindowCase& c = GetParam();
    host.displaySwitched = c.displaySwitched;
    host.gameText = "  pacman\t";
    if (c.switchedDuringRun) {
        waiter.duringWait = [this] { host.displaySwitched = true; };
    }
    Set("TEST_EMULATOR_EXIT_CODE", c.exitCode);

    Start();

    EXPECT_EQ(host.log, c.log);
    EXPECT_TRUE(messages.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Runs, StartWindowTest, ::testing::ValuesIn(WindowCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartCommandTest, AnEmulatorThatCannotStartSaysWhy) {
    ASSERT_EQ(::chmod((ProgramFolder() + "mame.exe").c_str(), 0644), 0);

    Start();

    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown().front().text, "Could not start mame.exe: Permission denied.");
    EXPECT_EQ(host.log,
              (Log{"read", "history:pacman", "hide", "show", "snapshot:pacman", "focus"}));
    EXPECT_EQ(stream.Content(), "Could not start mame.exe: Permission denied.\n");
}

// Started as "kestrun 2> >(exec true)": the run's output goes to a standard error that nobody
// reads any more, which must not end the launcher.
TEST_F(StartCommandTest, AStandardErrorWithoutReaderDoesNotEndTheLauncher) {
    Set("TEST_EMULATOR_STDOUT_TEXT", "output\n");
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    std::FILE* brokenStream = ::fdopen(ends[1], "w");
    ASSERT_NE(brokenStream, nullptr);

    EXPECT_EXIT(
        {
            RunStart({host, messages, profile, waiter, facts, ProgramFolder(), brokenStream});
            std::exit(messages.Shown().empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    std::fclose(brokenStream);
}

TEST_F(StartCommandTest, AStartDuringTheWaitOfAnotherKeepsEachRunApart) {
    Set("TEST_EMULATOR_STDOUT_TEXT", "first\n");
    Set("TEST_EMULATOR_EXIT_CODE", "1");
    host.displaySwitched = true;
    waiter.duringWait = [this] {
        Set("TEST_EMULATOR_STDOUT_TEXT", "second\n");
        Set("TEST_EMULATOR_EXIT_CODE", "2");
        host.gameText = "galaga";
        Start();
    };

    Start();

    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(messages.Shown()[0].text, "second");
    EXPECT_EQ(messages.Shown()[1].text, "first");
    EXPECT_EQ(stream.Content(), "second\nfirst\n");
    const Log expected = {
        "read",  "history:pacman",  "wait", "read", "history:galaga", "wait", "snapshot:galaga",
        "focus", "snapshot:pacman", "focus"};
    EXPECT_EQ(host.log, expected);
}

}  // namespace
}  // namespace kestrun::testing
