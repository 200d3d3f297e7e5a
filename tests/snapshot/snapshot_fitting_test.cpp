#include "snapshot/snapshot_fitting.h"

#include <gtest/gtest.h>

namespace kestrun {
namespace {

constexpr auto None = SnapshotResampling::None;
constexpr auto Fast = SnapshotResampling::Fast;
constexpr auto Smooth = SnapshotResampling::Smooth;
constexpr std::int32_t Largest = 2147483647;

TEST(FitSnapshot, InWindowAndFullScreenModes) {
    struct Case {
        std::int32_t width, height;
        SnapshotFit window, fullScreen;
    };
    const Case cases[] = {
        // Pictures that fit the box keep their own size; so do empty ones, whatever the other
        // side: nothing may divide by a size of 0.
        {232, 263, {None, 232, 263}, {None, 232, 263}},
        {0, 500, {None, 0, 500}, {None, 0, 500}},
        {500, 0, {None, 500, 0}, {None, 500, 0}},
        {-300, 400, {None, -300, 400}, {None, -300, 400}},
        // Wide pictures scaled to the box width and lower than 202 are stretched.
        {348, 303, {Fast, 232, 202}, {Fast, 232, 202}},
        {348, 302, {Smooth, 232, 232}, {Smooth, 232, 232}},
        {Largest, 1, {Smooth, 232, 232}, {Smooth, 232, 232}},
        // Heights above 276 are capped in a window only.
        {290, 347, {Fast, 232, 276}, {Fast, 232, 277}},
        // High pictures: scaled to the box height in a window, stretched when narrower than 178;
        // scaled to the box width in full screen.
        {232, 264, {Fast, 231, 263}, {Fast, 232, 264}},
        {200, 295, {Fast, 178, 263}, {Fast, 232, 342}},
        {200, 296, {Smooth, 232, 263}, {Fast, 232, 343}},
        {1, Largest, {Smooth, 232, 263}, {Fast, 232, std::int64_t{232} * Largest}},
        // One side in the box, the other just over it.
        {233, 263, {Fast, 232, 261}, {Fast, 232, 261}},
        // A ratio that floating point would truncate one pixel short.
        {261, 279, {Fast, 232, 248}, {Fast, 232, 248}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitSnapshot(c.width, c.height, false), c.window) << c.width << "x" << c.height;
        EXPECT_EQ(FitSnapshot(c.width, c.height, true), c.fullScreen) << c.width << "x" << c.height;
    }
}

}  // namespace
}  // namespace kestrun
