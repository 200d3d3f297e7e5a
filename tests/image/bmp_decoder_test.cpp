#include <climits>

#include "tests/image/image_files.h"

namespace kestrun::testing {
namespace {

// A BMP file: the bytes after the info header (masks or palette, as stored) come before the
// pixels; a pixel offset of 0 means right after them.
Bytes Bmp(std::int32_t width, std::int32_t height, std::uint16_t bits = 24,
          std::uint32_t compression = 0, const Bytes& afterHeader = {}, const Bytes& pixels = {},
          std::uint32_t colorsUsed = 0, std::uint32_t headerSize = 40,
          std::uint32_t pixelOffset = 0, bool fileHeader = true) {
    ByteWriter info;
    if (headerSize == 12) {
        info.U32(12).U16(width).U16(height).U16(1).U16(bits);
    } else {
        info.U32(headerSize).U32(width).U32(height).U16(1).U16(bits).U32(compression);
        info.U32(0).U32(3780).U32(3780).U32(colorsUsed).U32(0);
        info.Append({}, std::max(headerSize, 40u) - 40);
    }
    info.Append(afterHeader);
    ByteWriter file;
    const std::size_t offset = 14 + info.bytes.size();
    if (fileHeader) {
        file.U16(0x4D42).U32(offset + pixels.size()).U32(0);
        file.U32(pixelOffset != 0 ? pixelOffset : offset);
    }
    return file.Append(info.bytes).Append(pixels).bytes;
}

// Entry i is grey i, so that decoded colours show the indexes.
Bytes Grey(int entries) {
    ByteWriter palette;
    for (int i = 0; i < entries; ++i) {
        palette.U32(i * 0x010101);
    }
    return palette.bytes;
}

std::vector<std::uint32_t> Greys(std::vector<std::uint32_t> indexes) {
    for (std::uint32_t& index : indexes) {
        index *= 0x010101;
    }
    return indexes;
}

// 8-bit run-length data (compression 1), or 4-bit (compression 2).
Bytes Rle(std::int32_t width, std::int32_t height, std::uint16_t bits, const Bytes& data) {
    return Bmp(width, height, bits, bits == 4 ? 2 : 1, Grey(1 << bits), data);
}

TEST(BmpDecoder, Files) {
    constexpr ImageFormat Format = FORMAT_BMP;
    // Without the file header the palette follows the header, however long, and the pixels
    // follow the palette; true-colour pixels follow the colours the file lists.
    ExpectDecodes(
        Format, "NoFileHeader",
        Bmp(2, 2, 1, 0, {0, 0, 0, 0, 0, 0, 255, 0}, {128, 0, 0, 0, 64, 0, 0, 0}, 0, 124, 0, false),
        1, {0xFF0000, 0, 0, 0xFF0000});
    ExpectDecodes(Format, "ListedColours", Bmp(1, 1, 24, 0, Grey(2), {1, 2, 3, 0}, 2, 40, 0, false),
                  24, {0x030201});
    ExpectDecodes(Format, "Bits555", Bmp(3, 1, 16, 0, {}, {255, 127, 31, 0, 0, 124, 0, 0}), 24,
                  {0xF8F8F8, 0x0000F8, 0xF80000});
    ExpectDecodes(Format, "Bits565",
                  Bmp(2, 1, 16, 3, {0, 248, 0, 0, 224, 7, 0, 0, 31, 0, 0, 0}, {0, 248, 224, 7}), 24,
                  {0xF80000, 0x00FC00});
    // The fourth byte is not alpha.
    ExpectDecodes(Format, "Bits32",
                  Bmp(2, 1, 32, 3, {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0},
                      {10, 20, 30, 40, 50, 60, 70, 80}),
                  24, {0x1E140A, 0x463C32});
    ExpectDecodes(Format, "CoreHeader", Bmp(2, 1, 1, 0, {1, 2, 3, 4, 5, 6}, {64, 0, 0, 0}, 0, 12),
                  1, {0x030201, 0x060504});
    // Entries past a shorter colour count stay black.
    ExpectDecodes(Format, "ShortColourCount",
                  Bmp(2, 1, 4, 0, {9, 9, 9, 0, 8, 8, 8, 0}, {0x12, 0, 0, 0}, 2), 4, {0x080808, 0});
    ExpectDecodes(Format, "TopDown", Bmp(1, -2, 24, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0}), 24,
                  {0x0000FF, 0xFF0000});
    // An absolute run padded to words, then end of line; delta skips; a run past the row's end
    // is dropped, not wrapped; data may end without an end of bitmap.
    ExpectDecodes(Format, "RleAbsolute", Rle(4, 2, 8, {0, 3, 7, 8, 9, 0, 0, 0, 1, 4, 0, 1}), 8,
                  Greys({7, 8, 9, 0, 4, 0, 0, 0}));
    ExpectDecodes(Format, "RleDelta", Rle(2, 3, 8, {1, 1, 0, 2, 0, 2, 1, 2, 0, 1}), 8,
                  Greys({1, 0, 0, 0, 0, 2}));
    ExpectDecodes(Format, "RlePastRow", Rle(2, 2, 8, {10, 3, 0, 0, 1, 5}), 8, Greys({3, 3, 5, 0}));
    ExpectDecodes(Format, "Rle4Run", Rle(6, 1, 4, {5, 0x12}), 4, Greys({1, 2, 1, 2, 1, 0}));
    ExpectDecodes(Format, "Rle4Absolute", Rle(6, 1, 4, {0, 5, 0x12, 0x34, 0x50, 0xEE, 1, 0x90}), 4,
                  Greys({1, 2, 3, 4, 5, 9}));
    ExpectDecodes(Format, "Rle8OnOneBit", Rle(3, 1, 1, {3, 3}), 1, Greys({1, 1, 1}));
    CDibImage image;
    ASSERT_TRUE(Decode(Bmp(1, 1, 24, 0, {}, Bytes(4)), Format, image));
    EXPECT_EQ(image.GetXDpi(), 96);  // from 3780 pixels per metre
}

TEST(BmpDecoder, HostileFiles) {
    constexpr ImageFormat Format = FORMAT_BMP;
    ExpectRefused(Format, "ShorterThanFileHeader", {'B', 'M', 1, 2, 3}, "Not a BMP");
    ExpectRefused(Format, "UnknownHeaderSize", Bmp(1, 1, 24, 0, {}, {}, 0, 20),
                  "Error reading BMP info");
    ExpectRefused(Format, "TooManyColours", Bmp(1, 1, 1, 0, Grey(3), Bytes(4), 3),
                  "Error reading BMP info");
    ExpectRefused(Format, "TopDownRle", Bmp(1, -1, 8, 1), "compression type not supported");
    ExpectRefused(Format, "Compressed24", Bmp(1, 1, 24, 1), "unknown compression");
    ExpectRefused(Format, "TwoBits", Bmp(1, 1, 2), "Unsupported BMP bit count");
    ExpectRefused(Format, "LowestHeight", Bmp(1, INT_MIN, 1), "Bad BMP image size");
    ExpectRefused(Format, "PixelsCutShort", Bmp(2, 2, 24, 0, {}, {1, 2, 3}),
                  "Error reading BMP data");
    ExpectRefused(Format, "RleOffsetPastEnd", Bmp(1, 1, 1, 1, Bytes(8), {1, 1}, 0, 40, 500),
                  "Error reading BMP data");
}

}  // namespace
}  // namespace kestrun::testing
