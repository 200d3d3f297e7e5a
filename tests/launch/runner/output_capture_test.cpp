#include "launch/output_capture.h"

#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>

#include "tests/launch/runner/emulator_fixture.h"

namespace kestrun::testing {
namespace {

using OutputCaptureTest = EmulatorTest;

// Many times what a pipe holds: the emulator only ends if the pipe is drained all along.
TEST_F(OutputCaptureTest, KeepsTheFirstAndLastBytesOfALongRun) {
    constexpr std::size_t Written = 3'000'000;
    Set("TEST_EMULATOR_STDOUT_BYTES", std::to_string(Written));
    const CapturedRun run = Run("mame.exe \"pacman\"");
    EXPECT_EQ(run.outcome, RunOutcome{});
    EXPECT_EQ(run.head, Pattern(0, 1024));
    EXPECT_EQ(run.tail, Pattern(Written - 1024, 1024));
}

TEST_F(OutputCaptureTest, StopsOnceTheEmulatorHasEndedThoughItsChildHoldsThePipe) {
    Set("TEST_EMULATOR_STDOUT_TEXT", "child\n");
    Set("TEST_EMULATOR_GRANDCHILD_MS", "15000");
    const auto began = std::chrono::steady_clock::now();

    const CapturedRun run = Run("mame.exe \"pacman\"");

    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(5));
    EXPECT_EQ(run.tail, "child\n");
    const std::string grandchild = ReadRecord().facts.at("grandchild");
    ASSERT_FALSE(grandchild.empty());
    ::kill(std::stoi(grandchild), SIGKILL);
}

TEST(OutputCaptureJoinTest, TakesWhatIsStillInThePipe) {
    OutputCapture capture;
    ASSERT_TRUE(capture.Start());
    const int leftBehind = ::dup(capture.WriteEnd());  // as a process the emulator started
    ASSERT_EQ(::write(capture.WriteEnd(), "last words", 10), 10);
    capture.Join();
    EXPECT_EQ(capture.Tail(), "last words");
    ::close(leftBehind);
}

}  // namespace
}  // namespace kestrun::testing
