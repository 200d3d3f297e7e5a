#include "launch/output_capture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>

#include "tests/runner/emulator_fixture.h"

// One case asks for more memory than exists; under AddressSanitizer that must come back as a
// null pointer, as it does without it, instead of ending the test.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}

namespace kestrun::testing {
namespace {

struct TailCase {
    const char* name;
    std::size_t written;
    std::size_t capacity;
};

const TailCase TailCases[] = {
    {"LongerThanTheBuffer", 5000, 1024},  {"ExactlyTheBuffer", 1024, 1024},
    {"JustOverTheBuffer", 1030, 1024},    {"ShorterThanTheBuffer", 300, 1024},
    {"ChunkLargerThanTheBuffer", 100, 7}, {"Nothing", 0, 1024},
};

class CaptureTailTest : public EmulatorTest, public ::testing::WithParamInterface<TailCase> {};

TEST_P(CaptureTailTest, KeepsTheLastBytesInOrderWithZerosAfter) {
    const TailCase& tail = GetParam();
    Set("TEST_EMULATOR_STDOUT_BYTES", std::to_string(tail.written));

    const CapturedRun run = Run("mame.exe \"pacman\"", tail.capacity);

    const std::size_t kept = std::min(tail.written, tail.capacity);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.hasBuffer, tail.written > 0);
    EXPECT_EQ(run.output, Pattern(tail.written - kept, kept));
    if (run.hasBuffer) {
        EXPECT_EQ(run.rest, std::string(tail.capacity - kept, '\0'));
    }
}

INSTANTIATE_TEST_SUITE_P(Outputs, CaptureTailTest, ::testing::ValuesIn(TailCases),
                         [](const auto& info) { return std::string(info.param.name); });

using OutputCaptureTest = EmulatorTest;

TEST_F(OutputCaptureTest, JoinsStandardOutputAndErrorInTheOrderWritten) {
    Set("TEST_EMULATOR_STDOUT_TEXT", "out\n");
    Set("TEST_EMULATOR_STDERR_TEXT", "err\n");
    EXPECT_EQ(Run("mame.exe \"pacman\"").output, "out\nerr\n");
}

TEST_F(OutputCaptureTest, EndsOnlyWhenAGrandchildHasClosedThePipeToo) {
    Set("TEST_EMULATOR_STDOUT_TEXT", "child ");
    Set("TEST_EMULATOR_GRANDCHILD_MS", "400");
    Set("TEST_EMULATOR_GRANDCHILD_TEXT", "grandchild");
    EXPECT_EQ(Run("mame.exe \"pacman\"").output, "child grandchild");
}

TEST_F(OutputCaptureTest, KeepsDrainingWhenTheBufferCannotBeAllocated) {
    // Far more than the pipe holds: the run only ends if the pipe is still read.
    Set("TEST_EMULATOR_STDOUT_BYTES", std::to_string(1 << 20));
    Set("TEST_EMULATOR_EXIT_CODE", "5");
    const CapturedRun run = Run("mame.exe \"pacman\"", std::numeric_limits<std::size_t>::max() / 2);
    EXPECT_EQ(run.status, 5);
    EXPECT_FALSE(run.hasBuffer);
}

std::string StreamContents(std::FILE* stream) {
    std::rewind(stream);
    std::string contents;
    for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) {
        contents += static_cast<char>(c);
    }
    return contents;
}

TEST(WriteCaptureTest, WritesTheValidBytesOnly) {
    OutputCapture capture;
    capture.Capacity = 8;
    capture.Buffer.reset(static_cast<char*>(std::calloc(capture.Capacity, 1)));
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);

    WriteCapture(capture, stream);
    EXPECT_EQ(StreamContents(stream), "");

    std::memcpy(capture.Buffer.get(), "error", 5);
    capture.Length = 5;
    WriteCapture(capture, stream);
    EXPECT_EQ(StreamContents(stream), "error");
    std::fclose(stream);
}

TEST(ReleaseCaptureTest, EndsACaptureThatNeverRanAndLeavesTheRecordReusable) {
    OutputCapture capture;
    ASSERT_TRUE(StartCapture(capture, 16));
    EXPECT_FALSE(StartCapture(capture, 16));

    ReleaseCapture(capture);

    EXPECT_FALSE(capture.Thread.joinable());
    EXPECT_EQ(capture.ReadEnd, -1);
    EXPECT_EQ(capture.WriteEnd, -1);
    EXPECT_EQ(capture.Buffer, nullptr);
    EXPECT_EQ(capture.Length, 0u);
    EXPECT_TRUE(StartCapture(capture, 16));
}

}  // namespace
}  // namespace kestrun::testing
