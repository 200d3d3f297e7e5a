#include <climits>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "tests/image_decoders/byte_writer.h"

namespace kestrun::testing {
namespace {

struct BmpFile {
    bool fileHeader = true;
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint8_t> afterHeader;  // masks or palette, as stored
    std::vector<std::uint8_t> pixels;

    std::vector<std::uint8_t> Bytes() const {
        ByteWriter info;
        if (headerSize == 12) {
            info.U32(12).U16(width).U16(height).U16(1).U16(bits);
        } else {
            info.U32(headerSize).U32(width).U32(height).U16(1).U16(bits).U32(compression);
            info.U32(0).U32(3780).U32(3780).U32(colorsUsed).U32(0);
            info.Repeat(0, headerSize > 40 ? headerSize - 40 : 0);
        }
        info.Append(afterHeader);
        ByteWriter file;
        if (fileHeader) {
            const std::size_t offset = 14 + info.Size();
            file.Bytes({'B', 'M'}).U32(offset + pixels.size()).U32(0).U32(offset);
        }
        return file.Append(info.Data()).Append(pixels).Data();
    }
};

std::vector<std::uint8_t> GreyPalette(int entries) {
    ByteWriter palette;
    for (int i = 0; i < entries; ++i) {
        palette.Bytes({std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0});
    }
    return palette.Data();
}

struct PixelCheck {
    int x;
    int y;  // bottom row 0
    RgbQuad colour;
};

struct DecodeCase {
    const char* name;
    BmpFile file;
    std::vector<PixelCheck> pixels;
};

class BmpDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(BmpDecode, GivesTheExpectedColours) {
    const DecodeCase& c = GetParam();
    CDibImage image;
    ASSERT_TRUE(Decode(c.file.Bytes(), FORMAT_BMP, image)) << image.GetErrorText();
    EXPECT_EQ(image.GetHeight(), std::abs(c.file.height));
    for (const PixelCheck& p : c.pixels) {
        EXPECT_EQ(image.GetPixelColor(p.x, p.y), p.colour) << p.x << "," << p.y;
    }
    EXPECT_FALSE(image.HasAlphaPlane());
    if (c.file.headerSize != 12) {
        EXPECT_EQ(image.GetXDpi(), 96);
    }
}

constexpr RgbQuad Black{};
constexpr RgbQuad Red{0, 0, 255, 0};
constexpr RgbQuad Blue{255, 0, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Files, BmpDecode,
    ::testing::Values(
        DecodeCase{"WithoutFileHeaderReadFromTheStart",
                   {.fileHeader = false,
                    .width = 2,
                    .height = 2,
                    .bits = 1,
                    .afterHeader = {0, 0, 0, 0, 0, 0, 255, 0},
                    .pixels = {0x80, 0, 0, 0, 0x40, 0, 0, 0}},
                   {{0, 0, Red}, {1, 0, Black}, {0, 1, Black}, {1, 1, Red}}},
        // True-colour pixels follow the colours the file lists, not the header's end.
        DecodeCase{"TrueColourAfterListedColours",
                   {.fileHeader = false,
                    .colorsUsed = 2,
                    .afterHeader = GreyPalette(2),
                    .pixels = {1, 2, 3, 0}},
                   {{0, 0, RgbQuad{1, 2, 3, 0}}}},
        DecodeCase{"SixteenBitFiveFiveFive",
                   {.width = 3,
                    .bits = 16,
                    .pixels = ByteWriter().U16(0x7FFF).U16(0x001F).U16(0x7C00).U16(0).Data()},
                   {{0, 0, RgbQuad{248, 248, 248, 0}},
                    {1, 0, RgbQuad{248, 0, 0, 0}},
                    {2, 0, RgbQuad{0, 0, 248, 0}}}},
        DecodeCase{"SixteenBitBitFields",
                   {.width = 2,
                    .bits = 16,
                    .compression = 3,
                    .afterHeader = ByteWriter().U32(0xF800).U32(0x07E0).U32(0x001F).Data(),
                    .pixels = ByteWriter().U16(0xF800).U16(0x07E0).Data()},
                   {{0, 0, RgbQuad{0, 0, 248, 0}}, {1, 0, RgbQuad{0, 252, 0, 0}}}},
        // The fourth byte is not alpha.
        DecodeCase{"ThirtyTwoBitBitFields",
                   {.fileHeader = false,
                    .width = 2,
                    .bits = 32,
                    .compression = 3,
                    .afterHeader = ByteWriter().U32(0xFF0000).U32(0xFF00).U32(0xFF).Data(),
                    .pixels = {10, 20, 30, 40, 50, 60, 70, 80}},
                   {{0, 0, RgbQuad{10, 20, 30, 0}}, {1, 0, RgbQuad{50, 60, 70, 0}}}},
        DecodeCase{"PaletteAfterALongHeader",
                   {.headerSize = 124,
                    .width = 2,
                    .bits = 1,
                    .afterHeader = {1, 2, 3, 0, 4, 5, 6, 0},
                    .pixels = {0x80, 0, 0, 0}},
                   {{0, 0, RgbQuad{4, 5, 6, 0}}, {1, 0, RgbQuad{1, 2, 3, 0}}}},
        DecodeCase{"PaletteAfterALongHeaderWithoutFileHeader",
                   {.fileHeader = false,
                    .headerSize = 124,
                    .bits = 1,
                    .afterHeader = {1, 2, 3, 0, 4, 5, 6, 0},
                    .pixels = {0x80, 0, 0, 0}},
                   {{0, 0, RgbQuad{4, 5, 6, 0}}}},
        DecodeCase{"CoreHeaderThreeByteEntries",
                   {.headerSize = 12,
                    .width = 2,
                    .bits = 1,
                    .afterHeader = {1, 2, 3, 4, 5, 6},
                    .pixels = {0x40, 0, 0, 0}},
                   {{0, 0, RgbQuad{1, 2, 3, 0}}, {1, 0, RgbQuad{4, 5, 6, 0}}}},
        // Entries past a shorter colour count stay black.
        DecodeCase{"ShortColourCount",
                   {.fileHeader = false,
                    .width = 2,
                    .bits = 4,
                    .colorsUsed = 2,
                    .afterHeader = {9, 9, 9, 0, 8, 8, 8, 0},
                    .pixels = {0x12, 0, 0, 0}},
                   {{0, 0, RgbQuad{8, 8, 8, 0}}, {1, 0, Black}}},
        DecodeCase{"TopDownRowsTurnedBottomUp",
                   {.height = -2, .pixels = {0, 0, 255, 0, 255, 0, 0, 0}},
                   {{0, 1, Red}, {0, 0, Blue}}}),
    CaseName());

// RLE8 (compression 1) for every depth but 4, RLE4 (compression 2) for 4 bits.
struct RunLengthCase {
    const char* name;
    std::uint16_t bits;
    std::int32_t width;
    std::vector<std::uint8_t> data;
    std::vector<std::vector<int>> rows;  // bottom row first
};

class BmpRunLength : public ::testing::TestWithParam<RunLengthCase> {};

TEST_P(BmpRunLength, DecodesToExpectedIndexes) {
    const RunLengthCase& c = GetParam();
    BmpFile bmp{.width = c.width,
                .height = static_cast<std::int32_t>(c.rows.size()),
                .bits = c.bits,
                .compression = c.bits == 4 ? 2u : 1u};
    bmp.afterHeader = GreyPalette(1 << c.bits);
    bmp.pixels = c.data;
    CDibImage image;
    ASSERT_TRUE(Decode(bmp.Bytes(), FORMAT_BMP, image)) << image.GetErrorText();
    for (std::size_t y = 0; y < c.rows.size(); ++y) {
        for (std::size_t x = 0; x < c.rows[y].size(); ++x) {
            EXPECT_EQ(image.GetPixelIndex(x, y), c.rows[y][x]) << "x " << x << " y " << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, BmpRunLength,
    ::testing::Values(
        RunLengthCase("AbsoluteRunPaddedThenEndOfLine", 8, 4, {0, 3, 7, 8, 9, 0, 0, 0, 1, 4, 0, 1},
                      {{7, 8, 9, 0}, {4, 0, 0, 0}}),
        RunLengthCase("DeltaSkipsLeaveZeros", 8, 4, {1, 1, 0, 2, 2, 2, 1, 2, 0, 1},
                      {{1, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 2}}),
        RunLengthCase("RunPastRowEndIsDroppedNotWrapped", 8, 4, {10, 3, 0, 1},
                      {{3, 3, 3, 3}, {0, 0, 0, 0}}),
        RunLengthCase("DeltaPastTheImageEndsQuietly", 8, 2, {0, 2, 0, 255, 5, 9, 0, 1},
                      {{0, 0}, {0, 0}}),
        RunLengthCase("DataEndingWithoutEndOfBitmap", 8, 2, {2, 6}, {{6, 6}, {0, 0}}),
        RunLengthCase("Rle4RunAlternatesNibbles", 4, 6, {5, 0x12, 0, 1}, {{1, 2, 1, 2, 1, 0}}),
        RunLengthCase("Rle4AbsoluteRunOfEvenByteCount", 4, 4, {0, 3, 0x34, 0x50, 1, 0x70, 0, 1},
                      {{3, 4, 5, 7}}),
        RunLengthCase("Rle4AbsoluteRunPaddedToWords", 4, 6,
                      {0, 5, 0x12, 0x34, 0x50, 0xEE, 1, 0x90, 0, 1}, {{1, 2, 3, 4, 5, 9}}),
        RunLengthCase("Rle8OnOneBitImageKeepsLowBit", 1, 3, {3, 0x03, 0, 1}, {{1, 1, 1}})),
    CaseName());

class BmpFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(BmpFailure, IsRefusedWithItsText) {
    EXPECT_EQ(FailureOf(GetParam().file, FORMAT_BMP), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BmpFailure,
    ::testing::Values(
        FailureCase{"ShorterThanFileHeader", {'B', 'M', 1, 2, 3}, "Not a BMP"},
        FailureCase{"InfoHeaderCutShort", Truncated(BmpFile{}.Bytes(), 30),
                    "Error reading BMP info"},
        FailureCase{"InfoHeaderOfUnknownSize", BmpFile{.headerSize = 20}.Bytes(),
                    "Error reading BMP info"},
        FailureCase{
            "MoreColoursThanTheDepthHolds",
            BmpFile{
                .bits = 1, .colorsUsed = 3, .afterHeader = GreyPalette(3), .pixels = {0, 0, 0, 0}}
                .Bytes(),
            "Error reading BMP info"},
        FailureCase{"PaletteCutShort", BmpFile{.bits = 8, .afterHeader = {1, 2}}.Bytes(),
                    "Error reading BMP info"},
        FailureCase{"PaletteDepthWithJpegCompression", BmpFile{.bits = 8, .compression = 4}.Bytes(),
                    "compression type not supported"},
        FailureCase{"TopDownRunLength", BmpFile{.height = -1, .bits = 8, .compression = 1}.Bytes(),
                    "compression type not supported"},
        FailureCase{"CompressedTwentyFourBit", BmpFile{.compression = 1}.Bytes(),
                    "unknown compression"},
        FailureCase{"UncompressedThirtyTwoBit", BmpFile{.bits = 32, .pixels = {1, 2, 3, 4}}.Bytes(),
                    "unknown compression"},
        FailureCase{"TwoBitsPerPixel", BmpFile{.bits = 2}.Bytes(), "Unsupported BMP bit count"},
        FailureCase{"ZeroBitsPerPixel", BmpFile{.bits = 0}.Bytes(), "Unsupported BMP bit count"},
        FailureCase{"ZeroWidth", BmpFile{.width = 0}.Bytes(), "Bad BMP image size"},
        FailureCase{"NegativeWidth", BmpFile{.width = -4}.Bytes(), "Bad BMP image size"},
        FailureCase{"ZeroHeight", BmpFile{.height = 0}.Bytes(), "Bad BMP image size"},
        FailureCase{"LowestHeight", BmpFile{.height = INT_MIN, .bits = 1}.Bytes(),
                    "Bad BMP image size"},
        FailureCase{"Oversized", BmpFile{.width = 100000, .height = 100000}.Bytes(),
                    "Bad BMP image size"},
        FailureCase{"PixelsCutShort", BmpFile{.width = 2, .height = 2, .pixels = {1, 2, 3}}.Bytes(),
                    "Error reading BMP data"},
        FailureCase{"SixteenBitPixelsCutShort",
                    BmpFile{.width = 2, .bits = 16, .pixels = {1, 2}}.Bytes(),
                    "Error reading BMP data"}),
    CaseName());

}  // namespace
}  // namespace kestrun::testing
