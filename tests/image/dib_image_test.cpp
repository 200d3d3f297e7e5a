#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "image/dib_image.h"
#include "image/dib_layout.h"

namespace kestrun {
namespace {

TEST(CDibImage, CreateRoundsTheDepthAndPadsRowsToFourBytes) {
    struct Case {
        std::int64_t width;
        int requested;
        std::uint16_t bitCount;
        std::uint32_t paletteEntries, rowBytes;
    };
    for (const Case& c :
         {Case{5, 0, 1, 2, 4}, Case{33, 1, 1, 2, 8}, Case{3, 2, 4, 16, 4}, Case{9, 4, 4, 16, 8},
          Case{5, 5, 8, 256, 8}, Case{1, 16, 24, 0, 4}, Case{4, 32, 24, 0, 12}}) {
        CDibImage image;
        image.Create(c.width, 3, 24, FORMAT_PNG);
        image.SetPixelColor(0, 0, MakeColorRef(255, 255, 255));  // not to be seen again
        ASSERT_NE(image.Create(c.width, 3, c.requested, FORMAT_PCX), nullptr);
        EXPECT_EQ(image.GetBitCount(), c.bitCount) << c.requested;
        EXPECT_EQ(image.GetHeader().biClrUsed, c.paletteEntries);
        EXPECT_EQ(image.GetRowBytes(), c.rowBytes) << c.width << " x " << c.requested;
        EXPECT_EQ(image.GetSize(), 40 + 4 * c.paletteEntries + 3 * c.rowBytes);
        // The block starts with the header, as the display side expects; the rest is zero.
        EXPECT_EQ(std::memcmp(image.GetDibBlock(), &image.GetHeader(), 40), 0);
        EXPECT_TRUE(std::all_of(image.GetDibBlock() + 40, image.GetDibBlock() + image.GetSize(),
                                [](std::uint8_t byte) { return byte == 0; }));
    }
}

TEST(DibLayout, RefusesEmptyNegativeAndOversizedImages) {
    EXPECT_FALSE(ComputeDibLayout(0, 10, 8));
    EXPECT_FALSE(ComputeDibLayout(10, -10, 24));
    // 0x7FFFFFFF x 0x7FFFFFFF would overflow 32 and 64-bit products alike.
    EXPECT_FALSE(ComputeDibLayout(0x7FFFFFFF, 0x7FFFFFFF, 24));
    EXPECT_FALSE(ComputeDibLayout(std::int64_t{1} << 40, 1, 1));
    // Just over and just within 256 MiB, counting the alpha plane when there is one.
    EXPECT_FALSE(ComputeDibLayout(16384, 16384, 8));
    EXPECT_TRUE(ComputeDibLayout(16384, 16383, 8));
    EXPECT_TRUE(ComputeDibLayout(9400, 9400, 24));
    EXPECT_FALSE(ComputeDibLayout(9400, 9400, 24, true));
    EXPECT_TRUE(ComputeDibLayout(8192, 8191, 24, true));
    CDibImage image;
    EXPECT_EQ(image.Create(65536, 65536, 24, FORMAT_BMP), nullptr);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetSize(), 0u);
    EXPECT_FALSE(image.CreateAlphaPlane());
    EXPECT_FALSE(image.Rescale(2, 2, false));
}

TEST(CDibImage, ReadsOutsideGiveTheBackgroundAndWritesThereAreIgnored) {
    CDibImage palette;
    palette.Create(4, 4, 8, FORMAT_BMP);
    palette.SetPaletteColor(7, 40, 50, 60);
    palette.SetOutsideColor(RgbQuad{9, 9, 9, 0});
    EXPECT_EQ(palette.GetPixelIndex(-1, 0), 0);
    EXPECT_EQ(palette.GetPixelColor(4, 0), (RgbQuad{9, 9, 9, 0}));
    palette.SetOutsideIndex(7);
    EXPECT_EQ(palette.GetPixelIndex(0, 4), 7);
    EXPECT_EQ(palette.GetPixelColor(0, -1), (RgbQuad{60, 50, 40, 0}));
    palette.SetPixelIndex(4, 0, 7);  // must not touch the next row
    EXPECT_EQ(palette.GetPixelIndex(0, 1), 0);

    CDibImage trueColour;
    trueColour.Create(2, 2, 24, FORMAT_BMP);
    trueColour.SetOutsideIndex(7);
    trueColour.SetOutsideColor(RgbQuad{1, 2, 3, 4});
    EXPECT_EQ(trueColour.GetPixelColor(2, 0), (RgbQuad{1, 2, 3, 4}));
    trueColour.SetPixelColor(1, 1, MakeColorRef(200, 100, 50));
    // Inside, the reserved byte comes from the outside colour; the row holds blue first.
    EXPECT_EQ(trueColour.GetPixelColor(1, 1), (RgbQuad{50, 100, 200, 4}));
    EXPECT_EQ(trueColour.GetBits()[trueColour.GetRowBytes() + 3], 50);
}

TEST(CDibImage, PaletteEntriesAndTheNearestOne) {
    CDibImage image;
    image.Create(1, 1, 4, FORMAT_BMP);
    image.SetPaletteColor(0, 0, 0, 0, 77);
    std::uint8_t triples[17 * 3] = {10, 20, 30, 100, 0, 0, 100, 0, 0};
    std::fill_n(triples + 16 * 3, 3, 255);  // does not fit, nor does entry 16 below
    image.SetPalette(triples, 17);
    image.SetPaletteColor(16, 1, 1, 1);
    EXPECT_EQ(image.GetBits()[0], 0);
    EXPECT_EQ(image.GetPaletteColor(0), (RgbQuad{30, 20, 10, 77}));
    image.SetPaletteColor(5, 0, 0, 200);
    image.SetPaletteColor(6, 0, 0, 200);
    EXPECT_EQ(image.NearestPaletteIndex(RgbQuad{0, 0, 100, 0}), 1u);  // exact, twice
    EXPECT_EQ(image.NearestPaletteIndex(RgbQuad{190, 0, 0, 0}), 5u);  // near, twice
    EXPECT_EQ(image.NearestPaletteIndex(RgbQuad{0, 0, 0, 0}), 3u);    // first unused, black
    image.SetPixelColor(0, 0, MakeColorRef(180, 10, 10));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 1);
}

TEST(CDibImage, AlphaPlaneAndAttributesMoveWithTheBuffers) {
    CDibImage from;
    from.Create(4, 2, 8, FORMAT_ICO);
    from.SetAlpha(1, 1, 99);  // no plane yet: ignored
    ASSERT_TRUE(from.CreateAlphaPlane());
    from.SetAlpha(3, 1, 99);
    from.SetAlpha(4, 1, 50);  // outside: ignored
    EXPECT_EQ(from.GetAlphaPlane()[1 * 4 + 3], 99);
    EXPECT_EQ(from.GetAlpha(1, 1), 0);
    from.SetOutsideIndex(5);
    const std::uint8_t* block = from.GetDibBlock();

    CDibImage copy;
    copy.CopyAttributes(from);
    EXPECT_EQ(copy.GetOutsideIndex(), 5);
    EXPECT_EQ(copy.GetBits(), nullptr);  // never a pointer into another image's block
    CDibImage to;
    to.Create(9, 9, 24, FORMAT_BMP);
    to.CopyAttributes(from);  // only into an empty image
    EXPECT_EQ(to.GetOutsideIndex(), -1);
    to.TakeOver(from);
    EXPECT_EQ(to.GetDibBlock(), block);
    EXPECT_EQ(to.GetAlpha(3, 1), 99);
    EXPECT_EQ(to.GetOutsideIndex(), 5);
    EXPECT_TRUE(from.IsEmpty());
    EXPECT_FALSE(from.HasAlphaPlane());
    to.Create(4, 4, 24, FORMAT_PNG);
    EXPECT_FALSE(to.HasAlphaPlane());
}

TEST(CDibImage, ResolutionErrorTextAndRedBlueSwap) {
    CDibImage image;
    image.SetXDpi(96);
    EXPECT_EQ(image.GetHeader().biXPelsPerMeter, 3780);
    image.SetXDpi(0x7FFFFFFF);
    EXPECT_EQ(image.GetHeader().biXPelsPerMeter, 0x7FFFFFFF);
    image.SetErrorText(std::string(300, 'x').c_str());
    EXPECT_EQ(std::string(image.GetErrorText()), std::string(255, 'x'));
    // Whole pixels only, and only as far as a row reaches.
    image.Create(1, 1, 24, FORMAT_BMP);
    std::uint8_t buffer[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    image.SwapRedBlue(buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, buffer + 8), std::string({3, 2, 1, 4, 5, 6, 7, 8}));
}

}  // namespace
}  // namespace kestrun
