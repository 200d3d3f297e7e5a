#include "snapshot/snapshot_rescale.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kestrun {
namespace {

constexpr RgbQuad Black{0, 0, 0, 0};
constexpr RgbQuad White{255, 255, 255, 0};

// Alternating black and white columns: nearest neighbour keeps only those two colours,
// smoothing mixes them.
void MakeStripes(CDibImage& image, std::int32_t width, std::int32_t height) {
    ASSERT_NE(image.Create(width, height, 24, FORMAT_PNG), nullptr);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            image.SetPixelColor(x, y, x % 2 == 0 ? Black : White);
        }
    }
}

// The columns being alike, the first row tells.
bool OnlyBlackAndWhite(const CDibImage& image) {
    for (std::int32_t x = 0; x < image.GetWidth(); ++x) {
        if (image.GetPixelColor(x, 0) != Black && image.GetPixelColor(x, 0) != White) {
            return false;
        }
    }
    return true;
}

TEST(FitSnapshotImage, ResamplesToTheFitWithTheRightKind) {
    struct Case {
        std::int32_t width, height;
        bool fullScreen;
        std::int32_t fittedWidth, fittedHeight;
        bool smooth;
    };
    const Case cases[] = {
        {224, 256, false, 224, 256, false},
        {256, 224, false, 232, 203, false},
        {320, 240, false, 232, 232, true},
        {100, 400, true, 232, 928, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) +
                     (c.fullScreen ? " full screen" : " window"));
        CDibImage image;
        MakeStripes(image, c.width, c.height);
        EXPECT_TRUE(FitSnapshotImage(image, c.fullScreen));
        EXPECT_EQ(image.GetWidth(), c.fittedWidth);
        EXPECT_EQ(image.GetHeight(), c.fittedHeight);
        EXPECT_EQ(OnlyBlackAndWhite(image), !c.smooth);
    }
}

}  // namespace
}  // namespace kestrun
