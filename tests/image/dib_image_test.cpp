#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "image/dib_image.h"
#include "image/dib_layout.h"

namespace kestrun {
namespace {

// Depths round up to 1, 4, 8 or 24 and rows are padded to four bytes, as the decoders' tests
// show. Just over and just within 256 MiB, counting the alpha plane when there is one; products
// that would overflow 32 and 64 bits alike.
TEST(DibLayout, RefusesEmptyNegativeAndOversizedImages) {
    const auto fits = [](std::int64_t width, std::int64_t height, int bits, bool alpha) {
        return ComputeDibLayout(width, height, bits, alpha).has_value();
    };
    EXPECT_FALSE(fits(0, 10, 8, false) || fits(10, -10, 24, false) ||
                 fits(16384, 16384, 8, false) || fits(0x7FFFFFFF, 0x7FFFFFFF, 24, false) ||
                 fits(9400, 9400, 24, true));
    EXPECT_TRUE(fits(16384, 16383, 8, false) && fits(9400, 9400, 24, false) &&
                fits(8192, 8191, 24, true));
    EXPECT_FALSE(ComputeDibLayout(std::int64_t{1} << 40, 1, 1));
    CDibImage image;
    EXPECT_EQ(image.Create(65536, 65536, 24, FORMAT_BMP), nullptr);
    EXPECT_FALSE(image.Rescale(2, 2, false));
}

// A new block starts with the header, as the display side expects, and the rest is zero,
// whatever the image held before. Reads outside give the background; writes there are ignored.
TEST(CDibImage, CreateAndPixelsOutside) {
    CDibImage palette;
    palette.Create(5, 3, 24, FORMAT_PNG);
    palette.SetPixelColor(0, 0, MakeColorRef(255, 255, 255));
    ASSERT_NE(palette.Create(4, 4, 5, FORMAT_BMP), nullptr);
    EXPECT_EQ(std::memcmp(palette.GetDibBlock(), &palette.GetHeader(), 40), 0);
    EXPECT_TRUE(std::all_of(palette.GetDibBlock() + 40, palette.GetDibBlock() + palette.GetSize(),
                            [](std::uint8_t byte) { return byte == 0; }));
    palette.SetPaletteColor(7, 40, 50, 60);
    palette.SetOutsideColor(RgbQuad{9, 9, 9, 0});
    EXPECT_EQ(palette.GetPixelIndex(-1, 0), 0);
    EXPECT_EQ(palette.GetPixelColor(4, 0), (RgbQuad{9, 9, 9, 0}));
    palette.SetOutsideIndex(7);
    EXPECT_EQ(palette.GetPixelIndex(0, 4), 7);
    EXPECT_EQ(palette.GetPixelColor(0, -1), (RgbQuad{60, 50, 40, 0}));
    palette.SetPixelIndex(4, 0, 7);  // must not touch the next row
    EXPECT_EQ(palette.GetPixelIndex(0, 1), 0);
}

// Entries past the palette's end are refused, as the decoders' tests show.
TEST(CDibImage, NearestPaletteEntry) {
    CDibImage image;
    image.Create(1, 1, 4, FORMAT_BMP);
    const std::uint8_t triples[] = {10, 20, 30, 100, 0, 0, 100, 0, 0};
    image.SetPalette(triples, 3);
    image.SetPaletteColor(5, 0, 0, 200);
    image.SetPaletteColor(6, 0, 0, 200);
    EXPECT_EQ(image.GetPaletteColor(0), (RgbQuad{30, 20, 10, 0}));
    EXPECT_EQ(image.NearestPaletteIndex(RgbQuad{0, 0, 100, 0}), 1u);  // exact, twice
    EXPECT_EQ(image.NearestPaletteIndex(RgbQuad{190, 0, 0, 0}), 5u);  // near, twice
    EXPECT_EQ(image.NearestPaletteIndex(RgbQuad{0, 0, 0, 0}), 3u);    // first unused, black
    image.SetPixelColor(0, 0, MakeColorRef(180, 10, 10));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 1);
}

// Moving the buffers from a decoder to the image is seen in the decoders' tests, copying the
// attributes in the resampling tests.
TEST(CDibImage, AlphaPlaneErrorTextAndRedBlueSwap) {
    CDibImage image;
    image.Create(4, 2, 8, FORMAT_ICO);
    image.SetAlpha(1, 1, 99);  // no plane yet: ignored
    ASSERT_TRUE(image.CreateAlphaPlane());
    image.SetAlpha(3, 1, 99);
    image.SetAlpha(4, 1, 50);  // outside: ignored
    EXPECT_EQ(image.GetAlphaPlane()[1 * 4 + 3], 99);
    EXPECT_EQ(image.GetAlpha(1, 1), 0);
    image.SetErrorText(std::string(300, 'x').c_str());
    EXPECT_EQ(std::string(image.GetErrorText()), std::string(255, 'x'));
    image.Create(4, 4, 24, FORMAT_PNG);
    EXPECT_FALSE(image.HasAlphaPlane());
    // Whole pixels only, and only as far as a row reaches.
    image.Create(1, 1, 24, FORMAT_BMP);
    std::uint8_t buffer[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    image.SwapRedBlue(buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, buffer + 8), std::string({3, 2, 1, 4, 5, 6, 7, 8}));
}

using Colour = RgbQuad (*)(std::int64_t x, std::int64_t y);

void Fill(CDibImage& image, std::int64_t width, std::int64_t height, Colour colourAt) {
    ASSERT_NE(image.Create(width, height, 24, FORMAT_PNG), nullptr);
    for (std::int64_t i = 0; i < width * height; ++i) {
        image.SetPixelColor(i % width, i / width, colourAt(i % width, i / width));
    }
}

RgbQuad Gradient(std::int64_t x, std::int64_t y) {
    return RgbQuad{std::uint8_t(10 * x + 3 * y), std::uint8_t(7 * y + x), std::uint8_t(x * y), 0};
}

// Fast sampling takes the top left of each cell; growing one way and shrinking the other is
// bilinear, so that (0, 0) is the source pixel itself, where area averaging would mix in its
// neighbours. A size of 0 is refused.
TEST(Rescale, FastSamplingAndEnlarging) {
    CDibImage image;
    Fill(image, 4, 4, Gradient);
    EXPECT_FALSE(image.Rescale(0, 2, false));
    EXPECT_FALSE(image.Rescale(2, 0, true));
    ASSERT_TRUE(image.Rescale(2, 2, true));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(image.GetPixelColor(i % 2, i / 2), Gradient(i % 2 * 2, i / 2 * 2)) << i;
    }
    Fill(image, 100, 400, Gradient);
    ASSERT_TRUE(image.Rescale(232, 263, false));
    EXPECT_EQ(image.GetPixelColor(0, 0), Gradient(0, 0));
    // Between pixels the colour is interpolated; past the last column and row it is repeated.
    Fill(image, 2, 2, [](std::int64_t x, std::int64_t y) {
        return RgbQuad{std::uint8_t(100 * x), std::uint8_t(200 * y), std::uint8_t(50 * x * y), 0};
    });
    ASSERT_TRUE(image.Rescale(4, 4, false));
    EXPECT_EQ(image.GetPixelColor(1, 0), (RgbQuad{50, 0, 0, 0}));
    EXPECT_EQ(image.GetPixelColor(0, 1), (RgbQuad{0, 100, 0, 0}));
    EXPECT_EQ(image.GetPixelColor(1, 1), (RgbQuad{50, 100, 12, 0}));
    EXPECT_EQ(image.GetPixelColor(3, 3), (RgbQuad{100, 200, 50, 0}));
}

// A 640 x 480 snapshot fitted into 232 x 174: scale factors of 80/29, so that nearly every
// column and row straddles an edge. The values were worked out apart from this code.
TEST(Rescale, AreaAveragingAtNonWholeFactorsGivesKnownValues) {
    CDibImage image;
    Fill(image, 640, 480, [](std::int64_t x, std::int64_t y) {
        return RgbQuad{std::uint8_t(x * 3 + y * 5), std::uint8_t(x * y + 7 * x),
                       std::uint8_t((x ^ y) * 3), 0};
    });
    ASSERT_TRUE(image.Rescale(232, 174, false));
    std::uint64_t checksum = 0;
    for (std::uint32_t i = 0; i < image.GetHeader().biSizeImage; ++i) {
        checksum += (i % 1000 + 1) * std::uint64_t{image.GetBits()[i]};
    }
    EXPECT_EQ(checksum, 7646836284u);
}

// Palette images resample to the nearest palette colour: grey 127 between black and white
// becomes grey 120. The alpha plane, format, outside colour and resolution follow every method.
TEST(Rescale, PaletteAndAlphaPlane) {
    for (int i = 0; i < 4; ++i) {
        const bool fast = i % 2 == 0, palette = i < 2;
        CDibImage image(FORMAT_PCX);
        ASSERT_NE(image.Create(6, 6, palette ? 8 : 24, FORMAT_PNG), nullptr);
        ASSERT_TRUE(image.CreateAlphaPlane());
        image.SetPaletteColor(1, 255, 255, 255);
        image.SetPaletteColor(2, 120, 120, 120);
        for (int y = 0; y < 36; ++y) {
            image.SetAlpha(y % 6, y / 6, static_cast<std::uint8_t>(40 * (y % 6) + y / 6));
            image.SetPixelColor(y % 6, y / 6, MakeColorRef(y % 2 * 255, y % 2 * 255, y % 2 * 255));
        }
        image.SetOutsideColor(RgbQuad{1, 2, 3, 4});
        image.SetXDpi(300);
        ASSERT_TRUE(image.Rescale(4, 2, fast));
        EXPECT_EQ(image.GetPixelIndex(1, 0), palette ? (fast ? 1 : 2) : 0) << i;
        EXPECT_EQ(image.GetAlpha(3, 1), 40 * 4 + 3);
        EXPECT_EQ(image.GetAlpha(3, 2), 0);  // the plane is 4 x 2 now
        EXPECT_EQ(image.GetFormat(), FORMAT_PNG);
        EXPECT_EQ(image.GetOutsideColor(), (RgbQuad{1, 2, 3, 4}));
        EXPECT_EQ(image.GetXDpi(), 300);
    }
}

}  // namespace
}  // namespace kestrun
