#include <gtest/gtest.h>

#include <algorithm>

#include "image/dib_image.h"

namespace kestrun {
namespace {

void FillTrueColour(CDibImage& image, std::int64_t width, std::int64_t height,
                    RgbQuad (*colourAt)(std::int64_t x, std::int64_t y)) {
    ASSERT_NE(image.Create(width, height, 24, FORMAT_PNG), nullptr);
    for (std::int64_t y = 0; y < height; ++y) {
        for (std::int64_t x = 0; x < width; ++x) {
            image.SetPixelColor(x, y, colourAt(x, y));
        }
    }
}

RgbQuad Gradient(std::int64_t x, std::int64_t y) {
    return RgbQuad{static_cast<std::uint8_t>(10 * x + 3 * y), static_cast<std::uint8_t>(7 * y + x),
                   static_cast<std::uint8_t>(200 - 5 * x - y), 0};
}

RgbQuad White(std::int64_t, std::int64_t) {
    return RgbQuad{255, 255, 255, 0};
}

TEST(Rescale, RefusesZeroSizesAndKeepsEqualSizes) {
    CDibImage image;
    FillTrueColour(image, 4, 4, Gradient);
    const std::uint8_t* block = image.GetDibBlock();
    EXPECT_FALSE(image.Rescale(0, 2, false));
    EXPECT_FALSE(image.Rescale(2, 0, true));
    EXPECT_TRUE(image.Rescale(4, 4, false));
    EXPECT_EQ(image.GetDibBlock(), block);
}

TEST(Rescale, HalvingSmoothlyAveragesEachSquareRoundingDown) {
    CDibImage image;
    FillTrueColour(image, 4, 4, Gradient);
    ASSERT_TRUE(image.Rescale(2, 2, false));
    ASSERT_EQ(image.GetWidth(), 2);
    ASSERT_EQ(image.GetHeight(), 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            int sums[3] = {};
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    const RgbQuad c = Gradient(2 * x + dx, 2 * y + dy);
                    sums[0] += c.rgbBlue;
                    sums[1] += c.rgbGreen;
                    sums[2] += c.rgbRed;
                }
            }
            const RgbQuad got = image.GetPixelColor(x, y);
            EXPECT_EQ(got.rgbBlue, sums[0] / 4) << x << "," << y;
            EXPECT_EQ(got.rgbGreen, sums[1] / 4) << x << "," << y;
            EXPECT_EQ(got.rgbRed, sums[2] / 4) << x << "," << y;
        }
    }
}

RgbQuad MidGrey(std::int64_t, std::int64_t) {
    return RgbQuad{100, 100, 100, 0};
}

// Every new pixel covers one colour. Whole factors give it back exactly; other factors may lose a
// little to truncated weights but never add: white must not wrap round to black.
TEST(Rescale, AreaAveragingOfAUniformImageKeepsItsColour) {
    struct Size {
        int width, height, newWidth, newHeight, loss;
    };
    for (auto colour : {White, MidGrey}) {
        const int value = colour(0, 0).rgbRed;
        for (const Size& s :
             {Size{4, 4, 2, 2, 0}, Size{9, 6, 3, 2, 0}, Size{464, 464, 232, 232, 0},
              Size{640, 480, 232, 232, 2}, Size{320, 240, 232, 232, 2}, Size{7, 7, 3, 3, 2},
              Size{100, 37, 33, 12, 2}, Size{1000, 999, 232, 231, 2}}) {
            CDibImage image;
            FillTrueColour(image, s.width, s.height, colour);
            ASSERT_TRUE(image.Rescale(s.newWidth, s.newHeight, false));
            int darkest = 255;
            int lightest = 0;
            for (int y = 0; y < s.newHeight; ++y) {
                for (int x = 0; x < s.newWidth; ++x) {
                    const RgbQuad c = image.GetPixelColor(x, y);
                    darkest = std::min({darkest, int{c.rgbBlue}, int{c.rgbGreen}, int{c.rgbRed}});
                    lightest = std::max({lightest, int{c.rgbBlue}, int{c.rgbGreen}, int{c.rgbRed}});
                }
            }
            EXPECT_GE(darkest, value - s.loss) << value << " at " << s.width << "x" << s.height;
            EXPECT_LE(lightest, value) << value << " at " << s.width << "x" << s.height;
        }
    }
}

TEST(Rescale, FastSamplingTakesTheTopLeftOfEachCell) {
    CDibImage image;
    FillTrueColour(image, 4, 4, Gradient);
    ASSERT_TRUE(image.Rescale(2, 2, true));
    EXPECT_EQ(image.GetPixelColor(0, 0), Gradient(0, 0));
    EXPECT_EQ(image.GetPixelColor(1, 0), Gradient(2, 0));
    EXPECT_EQ(image.GetPixelColor(0, 1), Gradient(0, 2));
    EXPECT_EQ(image.GetPixelColor(1, 1), Gradient(2, 2));
}

TEST(Rescale, EnlargingInterpolatesAndRepeatsTheLastColumnAndRow) {
    CDibImage image;
    ASSERT_NE(image.Create(2, 2, 24, FORMAT_PNG), nullptr);
    image.SetPixelColor(0, 0, RgbQuad{0, 0, 0, 0});
    image.SetPixelColor(1, 0, RgbQuad{100, 0, 0, 0});
    image.SetPixelColor(0, 1, RgbQuad{0, 200, 0, 0});
    image.SetPixelColor(1, 1, RgbQuad{100, 200, 50, 0});
    ASSERT_TRUE(image.Rescale(4, 4, false));
    // Half way between the two columns of the bottom row.
    EXPECT_EQ(image.GetPixelColor(1, 0), (RgbQuad{50, 0, 0, 0}));
    EXPECT_EQ(image.GetPixelColor(0, 1), (RgbQuad{0, 100, 0, 0}));
    EXPECT_EQ(image.GetPixelColor(1, 1), (RgbQuad{50, 100, 12, 0}));
    // Beyond the last source column and row the neighbours are the pixel itself.
    EXPECT_EQ(image.GetPixelColor(3, 0), (RgbQuad{100, 0, 0, 0}));
    EXPECT_EQ(image.GetPixelColor(3, 3), (RgbQuad{100, 200, 50, 0}));
}

TEST(Rescale, GrowingOneWayAndShrinkingTheOtherIsBilinear) {
    CDibImage image;
    FillTrueColour(image, 100, 400, Gradient);
    ASSERT_TRUE(image.Rescale(232, 263, false));
    // Bilinear at (0, 0) is the source pixel itself; area averaging would mix in its neighbours.
    EXPECT_EQ(image.GetPixelColor(0, 0), Gradient(0, 0));
}

TEST(Rescale, PaletteImagesInterpolateToTheNearestPaletteColour) {
    CDibImage image;
    ASSERT_NE(image.Create(4, 1, 8, FORMAT_PNG), nullptr);
    image.SetPaletteColor(0, 0, 0, 0);
    image.SetPaletteColor(1, 255, 255, 255);
    image.SetPaletteColor(2, 120, 120, 120);
    for (int i = 3; i < 256; ++i) {
        image.SetPaletteColor(i, 255, 0, 0);
    }
    image.SetPixelIndex(0, 0, 0);
    image.SetPixelIndex(1, 0, 1);
    image.SetPixelIndex(2, 0, 1);
    image.SetPixelIndex(3, 0, 1);
    ASSERT_TRUE(image.Rescale(8, 1, false));
    EXPECT_EQ(image.GetBitCount(), 8);
    EXPECT_EQ(image.GetPaletteColor(2), (RgbQuad{120, 120, 120, 0}));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 0);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 2);  // grey 127 between black and white
    EXPECT_EQ(image.GetPixelIndex(2, 0), 1);
}

TEST(Rescale, AlphaPlaneFollowsEveryMethodAtTheNewSize) {
    for (bool fast : {true, false}) {
        for (int depth : {8, 24}) {
            CDibImage image;
            ASSERT_NE(image.Create(6, 6, depth, FORMAT_PNG), nullptr);
            ASSERT_TRUE(image.CreateAlphaPlane());
            for (int y = 0; y < 6; ++y) {
                for (int x = 0; x < 6; ++x) {
                    image.SetAlpha(x, y, static_cast<std::uint8_t>(40 * x + y));
                }
            }
            ASSERT_TRUE(image.Rescale(3, 2, fast));
            ASSERT_TRUE(image.HasAlphaPlane());
            EXPECT_EQ(image.GetAlpha(2, 1), 40 * 4 + 3) << fast << depth;
            EXPECT_EQ(image.GetAlpha(2, 2), 0);  // the plane is 3 x 2 now
        }
    }
}

TEST(Rescale, KeepsFormatAttributesAndResolution) {
    CDibImage image(FORMAT_PCX);
    FillTrueColour(image, 8, 8, Gradient);
    image.SetOutsideColor(RgbQuad{1, 2, 3, 4});
    image.SetXDpi(300);
    ASSERT_TRUE(image.Rescale(3, 3, false));
    EXPECT_EQ(image.GetFormat(), FORMAT_PNG);
    EXPECT_EQ(image.GetOutsideColor(), (RgbQuad{1, 2, 3, 4}));
    EXPECT_EQ(image.GetXDpi(), 300);
}

}  // namespace
}  // namespace kestrun
