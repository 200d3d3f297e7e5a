#include "snapshot/snapshot_fitting.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kestrun {
namespace {

constexpr auto None = SnapshotResampling::None;
constexpr auto Fast = SnapshotResampling::Fast;
constexpr auto Smooth = SnapshotResampling::Smooth;

struct FitCase {
    std::int32_t width;
    std::int32_t height;
    SnapshotFit window;
    SnapshotFit fullScreen;
};

std::ostream& operator<<(std::ostream& out, const FitCase& c) {
    return out << c.width << "x" << c.height;
}

class FitSnapshotTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitSnapshotTest, InWindowAndFullScreenModes) {
    const FitCase& c = GetParam();
    EXPECT_EQ(FitSnapshot(c.width, c.height, false), c.window);
    EXPECT_EQ(FitSnapshot(c.width, c.height, true), c.fullScreen);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FitSnapshotTest,
    ::testing::Values(
        // Pictures that fit the box keep their own size.
        FitCase{232, 263, {None, 232, 263}, {None, 232, 263}},
        FitCase{224, 256, {None, 224, 256}, {None, 224, 256}},
        // Wide pictures scaled to the box width come out too low and are stretched.
        FitCase{320, 240, {Smooth, 232, 232}, {Smooth, 232, 232}},
        FitCase{640, 480, {Smooth, 232, 232}, {Smooth, 232, 232}},
        FitCase{288, 224, {Smooth, 232, 232}, {Smooth, 232, 232}},
        FitCase{233, 100, {Smooth, 232, 232}, {Smooth, 232, 232}},
        FitCase{256, 224, {Fast, 232, 203}, {Fast, 232, 203}},
        // High pictures: scaled to the box height in a window, to the box width in full screen.
        FitCase{224, 288, {Fast, 204, 263}, {Fast, 232, 298}},
        FitCase{232, 264, {Fast, 231, 263}, {Fast, 232, 264}},
        FitCase{240, 320, {Fast, 232, 276}, {Fast, 232, 309}},
        FitCase{100, 400, {Smooth, 232, 263}, {Fast, 232, 928}}));

INSTANTIATE_TEST_SUITE_P(
    Boundaries, FitSnapshotTest,
    ::testing::Values(
        // Scaled height exactly 202 keeps the aspect ratio; one pixel less of source is stretched.
        FitCase{348, 303, {Fast, 232, 202}, {Fast, 232, 202}},
        FitCase{348, 302, {Smooth, 232, 232}, {Smooth, 232, 232}},
        // Scaled height exactly 276 is not capped; anything above is.
        FitCase{290, 345, {Fast, 232, 276}, {Fast, 232, 276}},
        FitCase{290, 346, {Fast, 232, 276}, {Fast, 232, 276}},
        FitCase{290, 347, {Fast, 232, 276}, {Fast, 232, 277}},
        // Scaled width just above and just below 178 (exactly 178 needs a width above the box).
        FitCase{200, 295, {Fast, 178, 263}, {Fast, 232, 342}},
        FitCase{200, 296, {Smooth, 232, 263}, {Fast, 232, 343}},
        // A ratio that floating point would truncate one pixel short.
        FitCase{261, 279, {Fast, 232, 248}, {Fast, 232, 248}},
        // One side in the box, the other just over it.
        FitCase{233, 263, {Fast, 232, 261}, {Fast, 232, 261}},
        FitCase{1, 264, {Smooth, 232, 263}, {Fast, 232, 61248}}));

// A failed decode leaves a 0 x 0 image; nothing may divide by its size.
INSTANTIATE_TEST_SUITE_P(EmptyPictures, FitSnapshotTest,
                         ::testing::Values(FitCase{0, 0, {None, 0, 0}, {None, 0, 0}},
                                           FitCase{0, 500, {None, 0, 500}, {None, 0, 500}},
                                           FitCase{500, 0, {None, 500, 0}, {None, 500, 0}},
                                           FitCase{
                                               -300, 400, {None, -300, 400}, {None, -300, 400}}));

TEST(FitSnapshot, LargestPictureSizesDoNotOverflow) {
    constexpr std::int32_t Largest = 2147483647;
    EXPECT_EQ(FitSnapshot(1, Largest, true), (SnapshotFit{Fast, 232, std::int64_t{232} * Largest}));
    EXPECT_EQ(FitSnapshot(Largest, 1, false), (SnapshotFit{Smooth, 232, 232}));
    EXPECT_EQ(FitSnapshot(232, Largest, false), (SnapshotFit{Smooth, 232, 263}));
}

}  // namespace
}  // namespace kestrun
