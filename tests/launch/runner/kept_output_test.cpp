#include "launch/kept_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/launch/runner/emulator_fixture.h"

namespace kestrun::testing {
namespace {

struct KeepCase {
    const char* name;
    std::vector<std::size_t> chunks;  // sizes of the successive reads
};

const KeepCase KeepCases[] = {
    {"Nothing", {}},
    {"ShorterThanKept", {300}},
    {"LastChunkFillsExactly", {1000, 24}},
    {"JustOverInSmallReads", std::vector<std::size_t>(103, 10)},
    {"OneChunkLongerThanKept", {5000}},
    {"LongChunkAfterShortOnes", {100, 2000}},
    {"ShortChunksAfterAFullTail", {2000, 100, 30}},
};

class KeptOutputTest : public ::testing::TestWithParam<KeepCase> {};

TEST_P(KeptOutputTest, KeepsTheFirstAndTheLastBytesInOrder) {
    KeptOutput kept;
    std::size_t total = 0;
    for (const std::size_t size : GetParam().chunks) {
        kept.Append(EmulatorTest::Pattern(total, size));
        total += size;
    }
    const std::size_t length = std::min(total, KeptOutput::KeptBytes);
    EXPECT_EQ(kept.Head(), EmulatorTest::Pattern(0, length));
    EXPECT_EQ(kept.Tail(), EmulatorTest::Pattern(total - length, length));
}

INSTANTIATE_TEST_SUITE_P(Reads, KeptOutputTest, ::testing::ValuesIn(KeepCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrun::testing
