#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <span>
#include <string>
#include <vector>

#include "fuzz/memory_decode.h"
#include "image/decoders.h"
#include "image/pcx_rows.h"

namespace kestrun {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Builds a little-endian file in memory.
struct ByteWriter {
    Bytes bytes;
    ByteWriter& U8(std::uint32_t value) {
        bytes.push_back(static_cast<std::uint8_t>(value));
        return *this;
    }
    ByteWriter& U16(std::uint32_t value) { return U8(value).U8(value >> 8); }
    ByteWriter& U32(std::uint32_t value) { return U16(value).U16(value >> 16); }
    ByteWriter& Append(const Bytes& more, std::size_t zeros = 0) {
        bytes.insert(bytes.end(), more.begin(), more.end());
        bytes.insert(bytes.end(), zeros, 0);
        return *this;
    }
};

// A file the decoder must read, and what it must give: 0xRRGGBB of each pixel, bottom row first,
// and the alpha plane (empty when there must be none).
struct Decoded {
    Bytes file;
    std::uint16_t bitCount;
    std::vector<std::uint32_t> rgb;
    std::vector<int> alpha;
};

void ExpectDecodes(ImageFormat format, std::span<const Decoded> cases) {
    for (std::size_t row = 0; row < cases.size(); ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        const auto& [file, bitCount, rgb, alpha] = cases[row];
        CDibImage image;
        ASSERT_TRUE(DecodeMemory(file.data(), file.size(), format, image)) << image.GetErrorText();
        EXPECT_EQ(image.GetBitCount(), bitCount);
        std::vector<std::uint32_t> colours;
        for (std::int32_t i = 0; i < image.GetWidth() * image.GetHeight(); ++i) {
            const RgbQuad colour = image.GetPixelColor(i % image.GetWidth(), i / image.GetWidth());
            colours.push_back(colour.rgbRed << 16 | colour.rgbGreen << 8 | colour.rgbBlue);
        }
        EXPECT_EQ(colours, rgb);
        const std::uint8_t* plane = image.GetAlphaPlane();
        EXPECT_EQ(std::vector<int>(plane, plane + (plane ? colours.size() : 0)), alpha);
    }
}

// A file the decoder must refuse, and its error text.
struct Refused {
    Bytes file;
    const char* text;
};

void ExpectRefused(ImageFormat format, std::span<const Refused> cases) {
    for (const auto& [file, text] : cases) {
        CDibImage image;
        EXPECT_FALSE(DecodeMemory(file.data(), file.size(), format, image)) << text;
        EXPECT_STREQ(image.GetErrorText(), text) << file.size() << " bytes";
    }
}

// A BMP file: the bytes after the info header (masks or palette, as stored) come before the
// pixels, and their count over 4 is the colour count written; a pixel offset of 0 means right
// after them.
Bytes Bmp(std::int32_t width, std::int32_t height, std::uint16_t bits = 24,
          std::uint32_t compression = 0, const Bytes& afterHeader = {}, const Bytes& pixels = {},
          std::uint32_t headerSize = 40, std::uint32_t pixelOffset = 0, bool fileHeader = true) {
    ByteWriter info;
    if (headerSize == 12) {
        info.U32(12).U16(width).U16(height).U16(1).U16(bits);
    } else {
        info.U32(headerSize).U32(width).U32(height).U16(1).U16(bits).U32(compression);
        info.U32(0).U32(3780).U32(3780).U32(afterHeader.size() / 4).U32(0);
        info.Append({}, std::max(headerSize, 40u) - 40);
    }
    ByteWriter file;
    const std::size_t offset = 14 + info.bytes.size() + afterHeader.size();
    if (fileHeader) {
        file.U16(0x4D42).U32(offset + pixels.size()).U32(0);
        file.U32(pixelOffset != 0 ? pixelOffset : offset);
    }
    return file.Append(info.bytes).Append(afterHeader).Append(pixels).bytes;
}

// Run-length data: 8-bit (compression 1), or 4-bit (compression 2), over a palette where entry
// i is colour i.
Bytes Rle(std::int32_t width, std::int32_t height, std::uint16_t bits, const Bytes& data) {
    ByteWriter palette;
    for (int i = 0; i < (1 << bits); ++i) {
        palette.U32(i);
    }
    return Bmp(width, height, bits, bits == 4 ? 2 : 1, palette.bytes, data);
}

TEST(BmpDecoder, FilesAndHostileFiles) {
    const Bytes masks565 = {0, 248, 0, 0, 224, 7, 0, 0, 31, 0, 0, 0};
    const Bytes masks888 = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
    const Decoded files[] = {
        // Without the file header the palette follows the header, however long.
        {Bmp(2, 1, 1, 0, {0, 0, 0, 0, 0, 0, 9, 0}, {64, 0, 0, 0}, 124, 0, false), 1, {0, 0x090000}},
        {Bmp(2, 1, 1, 0, {1, 2, 3, 4, 5, 6}, {64, 0, 0, 0}, 12), 1, {0x030201, 0x060504}},
        {Bmp(1, -2, 24, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0}), 24, {0x0000FF, 0xFF0000}},
        // 16 bits: 5-5-5 by default, else the masks; 32 bits: the fourth byte is not alpha.
        {Bmp(3, 1, 16, 0, {}, {255, 127, 31, 0, 0, 124, 0, 0}), 24, {0xF8F8F8, 0xF8, 0xF80000}},
        {Bmp(2, 1, 16, 3, masks565, {0, 248, 224, 7}), 24, {0xF80000, 0x00FC00}},
        {Bmp(2, 1, 32, 3, masks888, {10, 20, 30, 40, 50, 60, 70, 80}), 24, {0x1E140A, 0x463C32}},
        // An absolute run padded to words, then end of line; delta skips; a run past the row's
        // end is dropped, not wrapped; data may end without an end of bitmap.
        {Rle(4, 2, 8, {0, 3, 7, 8, 9, 0, 0, 0, 1, 4, 0, 1}), 8, {7, 8, 9, 0, 4, 0, 0, 0}},
        {Rle(2, 3, 8, {1, 1, 0, 2, 0, 2, 1, 2}), 8, {1, 0, 0, 0, 0, 2}},
        {Rle(2, 2, 8, {10, 3, 0, 0, 1, 5}), 8, {3, 3, 5, 0}},
        {Rle(6, 1, 4, {0, 5, 0x12, 0x34, 0x50, 0xEE, 1, 0x90}), 4, {1, 2, 3, 4, 5, 9}}};
    ExpectDecodes(FORMAT_BMP, files);
    const Refused hostile[] = {
        {{'B', 'M', 1, 2, 3}, "Not a BMP"},
        {Bmp(1, 1, 1, 0, Bytes(12), Bytes(4)), "Error reading BMP info"},  // 3 colours of 1 bit
        {Bmp(1, -1, 8, 1), "compression type not supported"},
        {Bmp(1, 1, 24, 1), "unknown compression"},
        {Bmp(1, 1, 2), "Unsupported BMP bit count"},
        {Bmp(1, INT_MIN, 1), "Bad BMP image size"},
        {Bmp(1, 1, 1, 1, Bytes(8), {1, 1}, 40, 500), "Error reading BMP data"}};
    ExpectRefused(FORMAT_BMP, hostile);
}

// The size counts from the minimum corner, wherever it lies. Header palette entry k is
// 0x030303 * k + 0x000102.
struct Pcx {
    int bits = 8, planes = 1, width = 2, height = 1, bytesPerLine = 2;
    Bytes data;  // run-length coded, then what follows the image
    std::uint8_t manufacturer = 10, encoding = 1;

    operator Bytes() const {
        ByteWriter file;
        file.U8(manufacturer).U8(5).U8(encoding).U8(bits);
        file.U16(3).U16(7).U16(3 + width - 1).U16(7 + height - 1).U16(72).U16(72);
        for (int i = 0; i < 48; ++i) {
            file.U8(i);
        }
        file.U8(0).U8(planes).U16(bytesPerLine).U16(1);
        return file.Append({}, 58).Append(data).bytes;
    }
};

// Entry i is red i, green 255 - i, blue 7.
Bytes WithPalette(Bytes data, std::uint8_t signature = 12) {
    data.push_back(signature);
    for (int i = 0; i < 256; ++i) {
        data.insert(data.end(), {std::uint8_t(i), std::uint8_t(255 - i), 7});
    }
    return data;
}

TEST(PcxDecoder, FilesAndHostileFiles) {
    const Bytes runs = WithPalette({0xC0, 5, 0xC3, 9, 1}), planes = {1, 2, 9, 3, 4, 9, 5, 6, 9};
    const Bytes four = {0x80, 0xC1, 0xFF, 0xC1, 0xC0, 0xC1, 0xFF, 0, 0xC1, 0xFF, 0x80, 0xC1, 0xFF};
    constexpr std::uint32_t White = 0xFFFFFF;
    const Decoded files[] = {
        // The top row comes first; runs cross rows; a run of count 0 writes nothing and
        // consumes its value.
        {Pcx{.height = 2, .data = runs}, 8, {0x09F607, 0x01FE07, 0x09F607, 0x09F607}},
        // Bytes beyond the width are ignored.
        {Pcx{.planes = 3, .bytesPerLine = 3, .data = planes}, 24, {0x010305, 0x020406}},
        // One bit is black and white, whatever the header's palette says.
        {Pcx{.bits = 1, .width = 9, .data = {128, 128}}, 1, {White, 0, 0, 0, 0, 0, 0, 0, White}},
        // Each plane holds a byte more than the width needs.
        {Pcx{.bits = 1, .planes = 4, .width = 3, .data = four}, 4, {0x212223, 0x060708, 0x000102}},
        {Pcx{.bits = 2, .bytesPerLine = 1, .data = {0x1B}}, 4, {0x000102, 0x030405}}};
    ExpectDecodes(FORMAT_PCX, files);
    const Refused hostile[] = {
        {Bytes(100, 10), "Can't read PCX image"},
        {Pcx{.manufacturer = 11}, "Error: Not a PCX file"},
        {Pcx{.encoding = 0}, "PCX file has unknown encoding scheme"},
        {Pcx{.bits = 1, .planes = 5}, "Can't handle image with more than 4 planes"},
        {Pcx{.bits = 1, .planes = -1}, "Can't handle bits per pixel image with planes."},
        {Pcx{.bits = 1, .width = 9, .bytesPerLine = 1}, "Bad PCX image size"},
        {Pcx{.data = {1}}, "corrupted PCX"},
        {Pcx{.data = WithPalette({0xC3, 1})}, "repeat count spans end of image"},
        {Pcx{.data = WithPalette({1, 2}, 11)}, "bad color map signature"}};
    ExpectRefused(FORMAT_PCX, hostile);
    // Layouts no header can ask for, refused by the row routines themselves.
    std::uint8_t bytes[8] = {};
    EXPECT_EQ(PcxPackedToIndexes(bytes, bytes, 8, 2, 8), PcxPackedMoreThanOnePlane);
    EXPECT_EQ(PcxPlanesToIndexes(bytes, bytes, 1, 8, 5, 1), PcxPlanarMoreThanFourPlanes);
    EXPECT_EQ(PcxPlanesToIndexes(bytes, bytes, 1, 8, 2, 2), PcxPlanarMoreThanOneBit);
}

// One image of an icon file: its directory entry and its bitmap. Palette entry i is
// 0x201000 + i; missing pixel and mask bytes are zeros.
struct Ico {
    int width = 1, height = 1, bits = 4;  // a width of 256 is written as 0 in the entry
    Bytes pixels, mask;  // colour rows, bottom-up, padded; the mask (empty: all opaque)

    operator Bytes() const;
};

// The colour count in the entry is 0: the depth comes from the bitmap.
Bytes IconFile(const std::vector<Ico>& images, std::uint16_t type = 1) {
    ByteWriter file, bitmaps;
    file.U16(0).U16(type).U16(images.size());
    for (const auto& [width, height, bits, pixels, mask] : images) {
        const std::size_t start = bitmaps.bytes.size();
        bitmaps.U32(40).U32(width).U32(2 * height).U16(1).U16(bits).Append({}, 24);
        for (int i = 0; bits <= 8 && i < (1 << bits); ++i) {
            bitmaps.U32(0x201000 | i);
        }
        const std::size_t rowBytes = (bits * width + 31) / 32 * 4 * height;
        const std::size_t maskBytes = (width + 31) / 32 * 4 * height;
        bitmaps.Append(pixels, rowBytes - std::min(pixels.size(), rowBytes));
        bitmaps.Append(mask, maskBytes - std::min(mask.size(), maskBytes));
        file.U8(width & 0xFF).U8(height & 0xFF).U16(0).U16(1).U16(bits);
        file.U32(bitmaps.bytes.size() - start).U32(6 + 16 * images.size() + start);
    }
    return file.Append(bitmaps.bytes).bytes;
}

Ico::operator Bytes() const {
    return IconFile({*this});
}

// The mask becomes an alpha plane only when something is transparent. Broken files fail
// without a text.
TEST(IconDecoder, FilesAndHostileFiles) {
    const Bytes alpha = {1, 2, 3, 128, 4, 5, 6, 255}, opaque = {1, 2, 3, 255, 4, 5, 6, 255};
    const std::vector<std::uint32_t> six(6, 0x201000);
    const Decoded files[] = {
        {Ico{.width = 2, .pixels = {0x3C}}, 4, {0x201003, 0x20100C}},
        {Ico{.width = 3, .height = 2, .mask = {0x40}}, 4, six, {255, 0, 255, 255, 255, 255}},
        {Ico{.bits = 24, .pixels = {1, 2, 3}, .mask = {0x80}}, 24, {0x030201}, {0}},
        {Ico{.width = 2, .bits = 32, .pixels = alpha}, 24, {0x030201, 0x060504}, {128, 255}},
        {Ico{.width = 2, .bits = 32, .pixels = opaque}, 24, {0x030201, 0x060504}}};
    ExpectDecodes(FORMAT_ICO, files);
    const Bytes good = Ico{.width = 8, .height = 8};
    Bytes pngEntry = good, offsetPastEnd = good;
    std::copy_n("\x89PNG\r\n\x1a\n", 8, pngEntry.begin() + 22);
    offsetPastEnd[20] = 0xFF;
    for (const Bytes& file :
         {IconFile({{}}, 2), Bytes(good.begin(), good.begin() + 12),
          Bytes(good.begin(), good.begin() + 72), Bytes(good.begin(), good.end() - 1),
          offsetPastEnd, pngEntry, Bytes(Ico{.bits = 2}), Bytes(Ico{.bits = 16})}) {
        CDibImage image;
        EXPECT_FALSE(DecodeMemory(file.data(), file.size(), FORMAT_ICO, image)) << file.size();
        EXPECT_STREQ(image.GetErrorText(), "");
    }
}

// The image's index picks the image, and a size byte of 0 means 256; an index past the last
// image fails.
TEST(IconDecoder, ImageIndexPicksTheImage) {
    const Bytes file = IconFile({{}, {.width = 2}, {.width = 256, .height = 256, .bits = 1}});
    for (int index : {2, 3, -1}) {
        CDibImage image;
        image.SetImageIndex(index);
        EXPECT_EQ(DecodeMemory(file.data(), file.size(), FORMAT_ICO, image), index == 2);
        EXPECT_EQ(image.GetWidth() + image.GetHeight(), index == 2 ? 512 : 0);
    }
}

}  // namespace
}  // namespace kestrun
