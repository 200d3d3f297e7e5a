#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "image/dib_image.h"
#include "image/dib_layout.h"

namespace kestrun {
namespace {

struct DepthCase {
    int requested;
    std::uint16_t bitCount;
    std::uint32_t paletteEntries;
};

class CreateDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(CreateDepthTest, RoundsToAStoredDepthWithItsPalette) {
    const DepthCase& c = GetParam();
    CDibImage image;
    ASSERT_NE(image.Create(5, 3, c.requested, FORMAT_PNG), nullptr);
    EXPECT_EQ(image.GetBitCount(), c.bitCount);
    EXPECT_EQ(image.GetHeader().biClrUsed, c.paletteEntries);
    EXPECT_EQ(image.GetPaletteSize(), 4 * c.paletteEntries);
    EXPECT_EQ(image.GetBits(), image.GetDibBlock() + 40 + 4 * c.paletteEntries);
    EXPECT_EQ(image.GetSize(), 40 + 4 * c.paletteEntries + image.GetRowBytes() * 3);
    EXPECT_EQ(image.GetPalette() == nullptr, c.paletteEntries == 0);
    // The block starts with the header, as the display side expects.
    EXPECT_EQ(std::memcmp(image.GetDibBlock(), &image.GetHeader(), 40), 0);
}

INSTANTIATE_TEST_SUITE_P(Depths, CreateDepthTest,
                         ::testing::Values(DepthCase{0, 1, 2}, DepthCase{1, 1, 2},
                                           DepthCase{2, 4, 16}, DepthCase{4, 4, 16},
                                           DepthCase{5, 8, 256}, DepthCase{8, 8, 256},
                                           DepthCase{16, 24, 0}, DepthCase{32, 24, 0}));

TEST(DibLayout, RowsArePaddedToFourBytes) {
    struct Case {
        std::int64_t width;
        int bitCount;
        std::uint32_t rowBytes;
    };
    for (const Case& c : {Case{1, 24, 4}, Case{33, 1, 8}, Case{32, 1, 4}, Case{3, 4, 4},
                          Case{9, 4, 8}, Case{5, 8, 8}, Case{4, 24, 12}}) {
        const auto layout = ComputeDibLayout(c.width, 2, c.bitCount);
        ASSERT_TRUE(layout) << c.width << "x" << c.bitCount;
        EXPECT_EQ(layout->rowBytes, c.rowBytes) << c.width << "x" << c.bitCount;
        EXPECT_EQ(layout->imageBytes, 2 * c.rowBytes);
    }
}

TEST(DibLayout, RefusesEmptyNegativeAndOversizedImages) {
    EXPECT_FALSE(ComputeDibLayout(0, 10, 8));
    EXPECT_FALSE(ComputeDibLayout(10, 0, 8));
    EXPECT_FALSE(ComputeDibLayout(-1, 10, 24));
    EXPECT_FALSE(ComputeDibLayout(10, -10, 24));
    // 0x7FFFFFFF x 0x7FFFFFFF would overflow 32 and 64-bit products alike.
    EXPECT_FALSE(ComputeDibLayout(0x7FFFFFFF, 0x7FFFFFFF, 24));
    EXPECT_FALSE(ComputeDibLayout(std::int64_t{1} << 40, 1, 1));
    // Just over and just within the 256 MiB limit.
    EXPECT_FALSE(ComputeDibLayout(16384, 16384, 8));
    EXPECT_TRUE(ComputeDibLayout(16384, 16383, 8));
    CDibImage image;
    EXPECT_EQ(image.Create(65536, 65536, 24, FORMAT_BMP), nullptr);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetSize(), 0u);
}

TEST(CDibImage, AnEmptyImageRefusesPixelWorkSafely) {
    CDibImage image(FORMAT_PCX);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetBits(), nullptr);
    EXPECT_EQ(image.GetOutsideIndex(), -1);
    EXPECT_FALSE(image.Rescale(2, 2, false));
    image.SetPixelIndex(0, 0, 1);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 0);
}

TEST(CDibImage, CreateZeroFillsPixelsAndPalette) {
    CDibImage image;
    image.Create(100, 60, 8, FORMAT_BMP);
    image.SetPaletteColor(3, 1, 2, 3);
    image.SetPixelIndex(5, 5, 3);
    // A second Create must not show the first image's leftovers either.
    ASSERT_NE(image.Create(100, 60, 8, FORMAT_BMP), nullptr);
    const std::uint8_t* block = image.GetDibBlock();
    for (std::size_t i = 40; i < image.GetSize(); ++i) {
        ASSERT_EQ(block[i], 0) << "byte " << i;
    }
}

TEST(CDibImage, DpiSetsPixelsPerMetre) {
    CDibImage image;
    EXPECT_EQ(image.GetHeader().biYPelsPerMeter, 2835);  // 72 dpi
    image.SetXDpi(96);
    image.SetYDpi(300);
    EXPECT_EQ(image.GetHeader().biXPelsPerMeter, 3780);
    EXPECT_EQ(image.GetHeader().biYPelsPerMeter, 11811);
    image.SetXDpi(0x7FFFFFFF);
    EXPECT_EQ(image.GetHeader().biXPelsPerMeter, 0x7FFFFFFF);
}

TEST(CDibImage, PaletteFromTriplesIsStoredBlueFirstAndKeepsReservedBytes) {
    CDibImage image;
    image.Create(2, 2, 1, FORMAT_BMP);
    image.SetPaletteColor(0, 0, 0, 0, 77);
    const std::uint8_t triples[] = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    image.SetPalette(triples, 3);  // the third triple does not fit a 1-bit palette
    EXPECT_EQ(image.GetPaletteColor(0), (RgbQuad{30, 20, 10, 77}));
    EXPECT_EQ(image.GetPaletteColor(1), (RgbQuad{60, 50, 40, 0}));
    EXPECT_EQ(image.GetPaletteColor(2), RgbQuad{});
    image.SetPaletteColor(2, 1, 1, 1);  // ignored
    const RgbQuad quads[] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 9, 9, 9}};
    image.SetPalette(quads, 3);
    EXPECT_EQ(image.GetPaletteColor(1), (RgbQuad{5, 6, 7, 8}));
}

TEST(CDibImage, GreyRampSpreadsOverThePalette) {
    struct Case {
        int bitCount;
        std::uint32_t index;
        std::uint8_t grey;
    };
    for (const Case& c : {Case{1, 0, 0}, Case{1, 1, 255}, Case{4, 1, 17}, Case{4, 15, 255},
                          Case{8, 128, 128}, Case{8, 255, 255}}) {
        CDibImage image;
        image.Create(1, 1, c.bitCount, FORMAT_BMP);
        image.SetGreyRamp();
        EXPECT_EQ(image.GetPaletteColor(c.index), (RgbQuad{c.grey, c.grey, c.grey, 0}))
            << c.bitCount << " bits, entry " << c.index;
    }
}

TEST(CDibImage, NearestPaletteIndexPrefersExactThenLowerIndex) {
    CDibImage image;
    image.Create(1, 1, 4, FORMAT_BMP);
    image.SetPaletteColor(0, 250, 250, 250);
    image.SetPaletteColor(1, 100, 0, 0);
    image.SetPaletteColor(2, 100, 0, 0);
    image.SetPaletteColor(5, 0, 0, 200);
    image.SetPaletteColor(6, 0, 0, 200);
    EXPECT_EQ(image.NearestPaletteIndex(RgbQuad{0, 0, 100, 0}), 1u);  // exact, twice
    EXPECT_EQ(image.NearestPaletteIndex(RgbQuad{190, 0, 0, 0}), 5u);  // near, twice
    // Unused entries are black, so black matches entry 3 at once.
    EXPECT_EQ(image.NearestPaletteIndex(RgbQuad{0, 0, 0, 0}), 3u);
    image.SetPixelColor(0, 0, MakeColorRef(180, 10, 10));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 1);
    CDibImage trueColour;
    trueColour.Create(1, 1, 24, FORMAT_BMP);
    EXPECT_EQ(trueColour.NearestPaletteIndex(RgbQuad{1, 2, 3, 0}), 0u);
}

TEST(CDibImage, PixelIndexesAtEveryPaletteDepth) {
    for (int bitCount : {1, 4, 8}) {
        CDibImage image;
        image.Create(13, 3, bitCount, FORMAT_BMP);
        const std::uint32_t mask = (1u << bitCount) - 1;
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 13; ++x) {
                image.SetPixelIndex(x, y, 0x5A + 3 * x + y);
            }
        }
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 13; ++x) {
                EXPECT_EQ(image.GetPixelIndex(x, y), (0x5A + 3 * x + y) & mask)
                    << bitCount << " bits at " << x << "," << y;
            }
        }
    }
    CDibImage nibbles;
    nibbles.Create(2, 1, 4, FORMAT_BMP);
    nibbles.SetPixelIndex(0, 0, 0xA);
    nibbles.SetPixelIndex(1, 0, 0x3);
    EXPECT_EQ(nibbles.GetBits()[0], 0xA3);  // left pixel in the high nibble
    CDibImage bits;
    bits.Create(9, 1, 1, FORMAT_BMP);
    bits.SetPixelIndex(0, 0, 1);
    bits.SetPixelIndex(8, 0, 1);
    EXPECT_EQ(bits.GetBits()[0], 0x80);
    EXPECT_EQ(bits.GetBits()[1], 0x80);
}

TEST(CDibImage, ReadsOutsideGiveTheBackground) {
    CDibImage palette;
    palette.Create(4, 4, 8, FORMAT_BMP);
    palette.SetPaletteColor(0, 1, 2, 3);
    palette.SetPaletteColor(7, 40, 50, 60);
    palette.SetOutsideColor(RgbQuad{9, 9, 9, 0});
    EXPECT_EQ(palette.GetPixelIndex(-1, 0), 0);
    EXPECT_EQ(palette.GetPixelColor(4, 0), (RgbQuad{9, 9, 9, 0}));
    palette.SetOutsideIndex(7);
    EXPECT_EQ(palette.GetPixelIndex(0, 4), 7);
    EXPECT_EQ(palette.GetPixelColor(0, -1), (RgbQuad{60, 50, 40, 0}));
    palette.SetPixelIndex(4, 0, 7);  // ignored, must not touch the next row
    EXPECT_EQ(palette.GetPixelIndex(0, 1), 0);

    CDibImage trueColour;
    trueColour.Create(2, 2, 24, FORMAT_BMP);
    trueColour.SetOutsideIndex(7);
    trueColour.SetOutsideColor(RgbQuad{1, 2, 3, 4});
    EXPECT_EQ(trueColour.GetPixelColor(2, 0), (RgbQuad{1, 2, 3, 4}));
    trueColour.SetPixelColor(1, 1, MakeColorRef(200, 100, 50));
    // Inside, the reserved byte comes from the outside colour.
    EXPECT_EQ(trueColour.GetPixelColor(1, 1), (RgbQuad{50, 100, 200, 4}));
    EXPECT_EQ(trueColour.GetPixelIndex(1, 1), 0);
    const std::uint8_t* pixel = trueColour.GetBits() + trueColour.GetRowBytes() + 3;
    EXPECT_EQ(pixel[0], 50);
    EXPECT_EQ(pixel[2], 200);
}

TEST(CDibImage, SwapRedBlueStopsAtTheRowOrBufferEnd) {
    CDibImage image;
    image.Create(1, 1, 24, FORMAT_BMP);  // rows of 4 bytes
    std::uint8_t buffer[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    image.SwapRedBlue(buffer, sizeof buffer);
    const std::uint8_t expected[8] = {3, 2, 1, 4, 5, 6, 7, 8};
    EXPECT_EQ(std::memcmp(buffer, expected, 8), 0);
    CDibImage palette;
    palette.Create(4, 1, 8, FORMAT_BMP);
    palette.SwapRedBlue(buffer, sizeof buffer);
    EXPECT_EQ(std::memcmp(buffer, expected, 8), 0);
}

TEST(CDibImage, AlphaPlaneFollowsTheImage) {
    CDibImage image;
    image.Create(3, 2, 24, FORMAT_PNG);
    image.SetAlpha(1, 1, 99);
    EXPECT_EQ(image.GetAlpha(1, 1), 0);  // no plane yet
    ASSERT_TRUE(image.CreateAlphaPlane());
    EXPECT_EQ(image.GetAlpha(2, 1), 0);
    image.SetAlpha(2, 1, 99);
    image.SetAlpha(3, 1, 50);  // outside: ignored
    EXPECT_EQ(image.GetAlphaPlane()[1 * 3 + 2], 99);
    EXPECT_EQ(image.GetAlpha(0, 2), 0);
    image.Create(4, 4, 24, FORMAT_PNG);
    EXPECT_FALSE(image.HasAlphaPlane());
}

TEST(CDibImage, TakeOverMovesEverythingAndEmptiesTheSource) {
    CDibImage from(FORMAT_ICO);
    from.Create(4, 2, 8, FORMAT_ICO);
    from.CreateAlphaPlane();
    from.SetPixelIndex(3, 1, 42);
    from.SetOutsideIndex(5);
    from.SetErrorText("kept");
    const std::uint8_t* block = from.GetDibBlock();
    CDibImage to;
    to.Create(9, 9, 24, FORMAT_BMP);
    to.TakeOver(from);
    EXPECT_EQ(to.GetDibBlock(), block);
    EXPECT_EQ(to.GetPixelIndex(3, 1), 42);
    EXPECT_TRUE(to.HasAlphaPlane());
    EXPECT_EQ(to.GetOutsideIndex(), 5);
    EXPECT_EQ(to.GetFormat(), FORMAT_ICO);
    EXPECT_STREQ(to.GetErrorText(), "kept");
    EXPECT_TRUE(from.IsEmpty());
    EXPECT_FALSE(from.HasAlphaPlane());
    EXPECT_EQ(from.GetBits(), nullptr);
}

TEST(CDibImage, CopyAttributesOnlyIntoAnEmptyImage) {
    CDibImage from;
    from.Create(2, 2, 8, FORMAT_PCX);
    from.SetOutsideIndex(3);
    from.SetImageIndex(2);
    CDibImage empty;
    empty.CopyAttributes(from);
    EXPECT_EQ(empty.GetOutsideIndex(), 3);
    EXPECT_EQ(empty.GetImageIndex(), 2);
    EXPECT_EQ(empty.GetBits(), nullptr);  // never a pointer into another image's block
    CDibImage filled;
    filled.Create(1, 1, 8, FORMAT_BMP);
    filled.CopyAttributes(from);
    EXPECT_EQ(filled.GetOutsideIndex(), -1);
}

TEST(CDibImage, ErrorTextKeepsAtMost255Characters) {
    CDibImage image;
    const std::string longText(300, 'x');
    image.SetErrorText(longText.c_str());
    EXPECT_EQ(std::string(image.GetErrorText()), std::string(255, 'x'));
    image.SetErrorText(nullptr);
    EXPECT_STREQ(image.GetErrorText(), "");
}

}  // namespace
}  // namespace kestrun
