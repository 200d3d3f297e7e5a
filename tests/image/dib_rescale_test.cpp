#include <gtest/gtest.h>

#include <algorithm>

#include "image/dib_image.h"

namespace kestrun {
namespace {

using Colour = RgbQuad (*)(std::int64_t x, std::int64_t y);

void Fill(CDibImage& image, std::int64_t width, std::int64_t height, Colour colourAt) {
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

TEST(Rescale, RefusesZeroSizesAndKeepsEqualSizes) {
    CDibImage image;
    Fill(image, 4, 4, Gradient);
    const std::uint8_t* block = image.GetDibBlock();
    EXPECT_FALSE(image.Rescale(0, 2, false));
    EXPECT_FALSE(image.Rescale(2, 0, true));
    EXPECT_TRUE(image.Rescale(4, 4, false));
    EXPECT_EQ(image.GetDibBlock(), block);
}

// Every new pixel covers one colour. Whole factors give it back exactly; other factors may lose a
// little to truncated weights but never add: white must not wrap round to black.
TEST(Rescale, AreaAveragingOfAUniformImageKeepsItsColour) {
    struct Size {
        int width, height, newWidth, newHeight, loss;
    };
    for (std::uint8_t value : {255, 100}) {
        for (const Size& s :
             {Size{9, 6, 3, 2, 0}, Size{640, 480, 232, 232, 2}, Size{100, 37, 33, 12, 2}}) {
            CDibImage image;
            ASSERT_NE(image.Create(s.width, s.height, 24, FORMAT_PNG), nullptr);
            std::fill_n(image.GetBits(), image.GetHeader().biSizeImage, value);
            ASSERT_TRUE(image.Rescale(s.newWidth, s.newHeight, false));
            int darkest = 255, lightest = 0;
            for (int y = 0; y < s.newHeight; ++y) {
                const std::uint8_t* row = image.GetBits() + y * image.GetRowBytes();
                const auto [low, high] = std::minmax_element(row, row + 3 * s.newWidth);
                darkest = std::min<int>(darkest, *low);
                lightest = std::max<int>(lightest, *high);
            }
            EXPECT_GE(darkest, value - s.loss)
                << int{value} << " at " << s.width << "x" << s.height;
            EXPECT_LE(lightest, value) << int{value} << " at " << s.width << "x" << s.height;
        }
    }
}

// A 640 x 480 snapshot fitted into 232 x 174: scale factors of 80/29, so that nearly every
// column and row straddles an edge. The values were worked out apart from this code.
TEST(Rescale, AreaAveragingAtNonWholeFactorsGivesKnownValues) {
    CDibImage image;
    Fill(image, 640, 480, [](std::int64_t x, std::int64_t y) {
        return RgbQuad{static_cast<std::uint8_t>(x * 3 + y * 5),
                       static_cast<std::uint8_t>(x * y + 7 * x),
                       static_cast<std::uint8_t>((x ^ y) * 3), 0};
    });
    ASSERT_TRUE(image.Rescale(232, 174, false));
    ASSERT_EQ(image.GetRowBytes(), 3u * 232);
    std::uint64_t checksum = 0;
    for (std::uint32_t i = 0; i < image.GetHeader().biSizeImage; ++i) {
        checksum += (i % 1000 + 1) * std::uint64_t{image.GetBits()[i]};
    }
    EXPECT_EQ(checksum, 7646836284u);
    EXPECT_EQ(image.GetPixelColor(7, 0), (RgbQuad{65, 159, 60, 0}));
    EXPECT_EQ(image.GetPixelColor(100, 50), (RgbQuad{244, 143, 213, 0}));
    EXPECT_EQ(image.GetPixelColor(231, 173), (RgbQuad{208, 97, 227, 0}));
}

TEST(Rescale, FastSamplingTakesTheTopLeftOfEachCell) {
    CDibImage image;
    Fill(image, 4, 4, Gradient);
    ASSERT_TRUE(image.Rescale(2, 2, true));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(image.GetPixelColor(i % 2, i / 2), Gradient(i % 2 * 2, i / 2 * 2)) << i;
    }
}

TEST(Rescale, EnlargingInterpolatesAndRepeatsTheLastColumnAndRow) {
    CDibImage image;
    Fill(image, 2, 2, [](std::int64_t x, std::int64_t y) {
        return RgbQuad{static_cast<std::uint8_t>(100 * x), static_cast<std::uint8_t>(200 * y),
                       static_cast<std::uint8_t>(50 * x * y), 0};
    });
    ASSERT_TRUE(image.Rescale(4, 4, false));
    EXPECT_EQ(image.GetPixelColor(1, 0), (RgbQuad{50, 0, 0, 0}));
    EXPECT_EQ(image.GetPixelColor(0, 1), (RgbQuad{0, 100, 0, 0}));
    EXPECT_EQ(image.GetPixelColor(1, 1), (RgbQuad{50, 100, 12, 0}));
    EXPECT_EQ(image.GetPixelColor(3, 0), (RgbQuad{100, 0, 0, 0}));
    EXPECT_EQ(image.GetPixelColor(3, 3), (RgbQuad{100, 200, 50, 0}));
    // Growing one way and shrinking the other is bilinear too: (0, 0) is the source pixel
    // itself, where area averaging would mix in its neighbours.
    CDibImage tall;
    Fill(tall, 100, 400, Gradient);
    ASSERT_TRUE(tall.Rescale(232, 263, false));
    EXPECT_EQ(tall.GetPixelColor(0, 0), Gradient(0, 0));
}

TEST(Rescale, PaletteImagesInterpolateToTheNearestPaletteColour) {
    CDibImage image;
    ASSERT_NE(image.Create(4, 1, 8, FORMAT_PNG), nullptr);
    for (int i = 3; i < 256; ++i) {
        image.SetPaletteColor(i, 255, 0, 0);
    }
    image.SetPaletteColor(1, 255, 255, 255);
    image.SetPaletteColor(2, 120, 120, 120);
    for (int x = 1; x < 4; ++x) {
        image.SetPixelIndex(x, 0, 1);
    }
    ASSERT_TRUE(image.Rescale(8, 1, false));
    EXPECT_EQ(image.GetBitCount(), 8);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 0);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 2);  // grey 127 between black and white
    EXPECT_EQ(image.GetPixelIndex(2, 0), 1);
}

TEST(Rescale, AlphaPlaneAndAttributesFollowEveryMethod) {
    for (bool fast : {true, false}) {
        for (int depth : {8, 24}) {
            CDibImage image(FORMAT_PCX);
            ASSERT_NE(image.Create(6, 6, depth, FORMAT_PNG), nullptr);
            ASSERT_TRUE(image.CreateAlphaPlane());
            for (int y = 0; y < 6; ++y) {
                for (int x = 0; x < 6; ++x) {
                    image.SetAlpha(x, y, static_cast<std::uint8_t>(40 * x + y));
                }
            }
            image.SetOutsideColor(RgbQuad{1, 2, 3, 4});
            image.SetXDpi(300);
            ASSERT_TRUE(image.Rescale(3, 2, fast));
            ASSERT_TRUE(image.HasAlphaPlane());
            EXPECT_EQ(image.GetAlpha(2, 1), 40 * 4 + 3) << fast << depth;
            EXPECT_EQ(image.GetAlpha(2, 2), 0);  // the plane is 3 x 2 now
            EXPECT_EQ(image.GetFormat(), FORMAT_PNG);
            EXPECT_EQ(image.GetOutsideColor(), (RgbQuad{1, 2, 3, 4}));
            EXPECT_EQ(image.GetXDpi(), 300);
        }
    }
}

}  // namespace
}  // namespace kestrun
