#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "tests/image/image_files.h"

namespace kestrun::testing {
namespace {

// A BMP file, by position: size, depth and compression, the bytes after the info header (masks
// or palette, as stored), the pixel data, the colour count, the info header's size, the pixel
// offset (0: right after the palette) and whether there is a file header.
struct BmpFile {
    std::int32_t width = 1, height = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    Bytes afterHeader, pixels;
    std::uint32_t colorsUsed = 0, headerSize = 40, pixelOffset = 0;
    bool fileHeader = true;

    Bytes File() const {
        ByteWriter info;
        if (headerSize == 12) {
            info.U32(12).U16(width).U16(height).U16(1).U16(bits);
        } else {
            info.U32(headerSize).U32(width).U32(height).U16(1).U16(bits).U32(compression).U32(0);
            info.U32(3780)
                .U32(3780)
                .U32(colorsUsed)
                .U32(0)
                .Repeat(0, std::max(headerSize, 40u) - 40);
        }
        info.Append(afterHeader);
        ByteWriter file;
        if (fileHeader) {
            const std::size_t offset = 14 + info.Size();
            file.U16(0x4D42).U32(offset + pixels.size()).U32(0);
            file.U32(pixelOffset != 0 ? pixelOffset : offset);
        }
        return file.Append(info.Data()).Append(pixels).Data();
    }
};

Bytes GreyPalette(int entries) {
    ByteWriter palette;
    for (int i = 0; i < entries; ++i) {
        palette.U32(i * 0x010101);
    }
    return palette.Data();
}

Bytes Words(std::initializer_list<std::uint32_t> values, int bytes) {
    ByteWriter out;
    for (std::uint32_t value : values) {
        bytes == 2 ? out.U16(value) : out.U32(value);
    }
    return out.Data();
}

class BmpDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(BmpDecode, GivesTheExpectedColours) {
    ExpectDecodes(GetParam(), FORMAT_BMP);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BmpDecode,
    ::testing::Values(
        // Without the file header the palette follows the header, however long, and the
        // pixels follow the palette.
        DecodeCase{"WithoutFileHeader",
                   BmpFile{2,
                           2,
                           1,
                           0,
                           {0, 0, 0, 0, 0, 0, 255, 0},
                           {0x80, 0, 0, 0, 0x40, 0, 0, 0},
                           0,
                           124,
                           0,
                           false}
                       .File(),
                   1,
                   {0xFF0000, 0, 0, 0xFF0000}},
        // True-colour pixels follow the colours the file lists, not the header's end.
        DecodeCase{"TrueColourAfterListedColours",
                   BmpFile{1, 1, 24, 0, GreyPalette(2), {1, 2, 3, 0}, 2, 40, 0, false}.File(),
                   24,
                   {0x030201}},
        DecodeCase{"SixteenBitFiveFiveFive",
                   BmpFile{3, 1, 16, 0, {}, Words({0x7FFF, 0x001F, 0x7C00, 0}, 2)}.File(),
                   24,
                   {0xF8F8F8, 0x0000F8, 0xF80000}},
        DecodeCase{
            "SixteenBitBitFields",
            BmpFile{2, 1, 16, 3, Words({0xF800, 0x07E0, 0x001F}, 4), Words({0xF800, 0x07E0}, 2)}
                .File(),
            24,
            {0xF80000, 0x00FC00}},
        // The fourth byte is not alpha.
        DecodeCase{
            "ThirtyTwoBitBitFields",
            BmpFile{
                2, 1, 32, 3, Words({0xFF0000, 0xFF00, 0xFF}, 4), {10, 20, 30, 40, 50, 60, 70, 80}}
                .File(),
            24,
            {0x1E140A, 0x463C32}},
        DecodeCase{"CoreHeaderThreeByteEntries",
                   BmpFile{2, 1, 1, 0, {1, 2, 3, 4, 5, 6}, {0x40, 0, 0, 0}, 0, 12}.File(),
                   1,
                   {0x030201, 0x060504}},
        // Entries past a shorter colour count stay black.
        DecodeCase{"ShortColourCount",
                   BmpFile{2, 1, 4, 0, {9, 9, 9, 0, 8, 8, 8, 0}, {0x12, 0, 0, 0}, 2}.File(),
                   4,
                   {0x080808, 0}},
        DecodeCase{"TopDownRowsTurnedBottomUp",
                   BmpFile{1, -2, 24, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0}}.File(),
                   24,
                   {0x0000FF, 0xFF0000}}),
    CaseName());

// RLE8 (compression 1) for every depth but 4, RLE4 (compression 2) for 4 bits.
struct RunLengthCase {
    const char* name;
    std::uint16_t bits;
    std::int32_t width;
    Bytes data;
    std::vector<std::vector<int>> rows;  // bottom row first
};

class BmpRunLength : public ::testing::TestWithParam<RunLengthCase> {};

TEST_P(BmpRunLength, DecodesToExpectedIndexes) {
    const RunLengthCase& c = GetParam();
    const BmpFile file{c.width,
                       std::int32_t(c.rows.size()),
                       c.bits,
                       c.bits == 4 ? 2u : 1u,
                       GreyPalette(1 << c.bits),
                       c.data};
    CDibImage image;
    ASSERT_TRUE(Decode(file.File(), FORMAT_BMP, image)) << image.GetErrorText();
    EXPECT_EQ(image.GetXDpi(), 96);  // from the file's 3780 pixels per metre
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
        RunLengthCase("RunPastRowEndIsDroppedNotWrapped", 8, 4, {10, 3, 0, 0, 1, 5, 0, 1},
                      {{3, 3, 3, 3}, {5, 0, 0, 0}}),
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
    ExpectFailure(GetParam(), FORMAT_BMP);
}

constexpr const char* InfoError = "Error reading BMP info";
constexpr const char* DataError = "Error reading BMP data";

INSTANTIATE_TEST_SUITE_P(
    Texts, BmpFailure,
    ::testing::Values(
        FailureCase{"ShorterThanFileHeader", {'B', 'M', 1, 2, 3}, "Not a BMP"},
        FailureCase{"InfoHeaderCutShort", Truncated(BmpFile{}.File(), 30), InfoError},
        FailureCase{"InfoHeaderOfUnknownSize", BmpFile{1, 1, 24, 0, {}, {}, 0, 20}.File(),
                    InfoError},
        FailureCase{"MoreColoursThanTheDepthHolds",
                    BmpFile{1, 1, 1, 0, GreyPalette(3), Bytes(4), 3}.File(), InfoError},
        FailureCase{"PaletteCutShort", BmpFile{1, 1, 8, 0, {1, 2}}.File(), InfoError},
        FailureCase{"PaletteDepthWithJpegCompression", BmpFile{1, 1, 8, 4}.File(),
                    "compression type not supported"},
        FailureCase{"TopDownRunLength", BmpFile{1, -1, 8, 1}.File(),
                    "compression type not supported"},
        FailureCase{"CompressedTwentyFourBit", BmpFile{1, 1, 24, 1}.File(), "unknown compression"},
        FailureCase{"UncompressedThirtyTwoBit", BmpFile{1, 1, 32, 0, {}, Bytes(4)}.File(),
                    "unknown compression"},
        FailureCase{"TwoBitsPerPixel", BmpFile{1, 1, 2}.File(), "Unsupported BMP bit count"},
        FailureCase{"NegativeWidth", BmpFile{-4, 1}.File(), "Bad BMP image size"},
        FailureCase{"LowestHeight", BmpFile{1, INT_MIN, 1}.File(), "Bad BMP image size"},
        FailureCase{"PixelsCutShort", BmpFile{2, 2, 24, 0, {}, {1, 2, 3}}.File(), DataError},
        FailureCase{"SixteenBitPixelsCutShort", BmpFile{2, 1, 16, 0, {}, {1, 2}}.File(), DataError},
        // Run-length data too must be there to be read.
        FailureCase{"RunLengthDataPastTheEnd",
                    BmpFile{1, 1, 1, 1, Bytes(8), {1, 1, 0, 1}, 0, 40, 500}.File(), DataError},
        FailureCase{"NoRunLengthData", BmpFile{1, 1, 1, 1, Bytes(8)}.File(), DataError}),
    CaseName());

}  // namespace
}  // namespace kestrun::testing
