#include <gtest/gtest.h>

#include <algorithm>

#include "image/decoders.h"
#include "tests/image/image_files.h"

namespace kestrun::testing {
namespace {

// One image of an icon file: its directory entry and its bitmap (header, palette, colour rows,
// transparency mask).
struct IconBitmap {
    int width = 1;  // pixels; written as 0 in the entry when 256
    int height = 1;
    int bits = 4;
    std::uint8_t colorCount = 16;
    Bytes pixels;  // colour rows, bottom-up, padded
    Bytes mask;    // empty: all opaque

    Bytes Bitmap() const {
        ByteWriter bitmap;
        bitmap.U32(40).U32(width).U32(2 * height).U16(1).U16(bits).Repeat(0, 24);
        for (int i = 0; bits <= 8 && i < (1 << bits); ++i) {
            bitmap.U32(0x201000 | i);
        }
        const std::size_t rowBytes = (bits * width + 31) / 32 * 4 * height;
        const std::size_t maskBytes = (width + 31) / 32 * 4 * height;
        bitmap.Append(pixels).Repeat(0, rowBytes - std::min(pixels.size(), rowBytes));
        return bitmap.Append(mask).Repeat(0, maskBytes - std::min(mask.size(), maskBytes)).Data();
    }
};

Bytes IconFile(const std::vector<IconBitmap>& images, std::uint16_t type = 1) {
    ByteWriter file;
    file.U16(0).U16(type).U16(images.size());
    std::size_t offset = 6 + 16 * images.size();
    ByteWriter bitmaps;
    for (const IconBitmap& image : images) {
        const Bytes bitmap = image.Bitmap();
        file.U8(image.width & 0xFF).U8(image.height & 0xFF).U8(image.colorCount).U8(0);
        file.U16(1).U16(image.bits).U32(bitmap.size()).U32(offset);
        offset += bitmap.size();
        bitmaps.Append(bitmap);
    }
    return file.Append(bitmaps.Data()).Data();
}

// Decodes with the icon decoder itself, so that what it sets on failure can be seen.
bool DecodeIcon(const Bytes& file, CIcoImage& icon) {
    const MemoryStream memory(file.data(), file.size());
    CImageFile source(memory.Stream());
    return icon.Decode(&source);
}

TEST(IconDecoder, ImageIndexPicksTheImageOrFailsPastTheLast) {
    const Bytes file =
        IconFile({IconBitmap{.width = 1}, IconBitmap{.width = 2}, IconBitmap{.width = 3}});
    CDibImage image;
    image.SetImageIndex(2);
    ASSERT_TRUE(Decode(file, FORMAT_ICO, image));
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetImageCount(), 3);
    EXPECT_EQ(image.GetFormat(), FORMAT_ICO);
    CDibImage large;
    ASSERT_TRUE(Decode(IconFile({{.width = 256, .height = 256, .bits = 1}}), FORMAT_ICO, large));
    EXPECT_EQ(large.GetWidth() + large.GetHeight(), 512);  // a size byte of 0 means 256
    for (int index : {3, -1}) {
        CIcoImage icon;
        icon.SetImageIndex(index);
        EXPECT_FALSE(DecodeIcon(file, icon));
        EXPECT_EQ(icon.GetImageCount(), 3);
    }
}

class IconDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(IconDecode, GivesTheExpectedPixelsAndAlpha) {
    ExpectDecodes(GetParam(), FORMAT_ICO);
}

// The depth comes from the bitmap, whatever the colour count says; the mask becomes an alpha
// plane only when something is transparent. Palette entry i is 0x201000 + i.
INSTANTIATE_TEST_SUITE_P(
    Files, IconDecode,
    ::testing::Values(
        DecodeCase{"FourBits",
                   IconFile({{.width = 2, .pixels = {0x3C, 0, 0, 0}}}),
                   4,
                   {0x201003, 0x20100C}},
        DecodeCase{
            "FourBitsWithoutColourCount", IconFile({{.bits = 4, .colorCount = 0}}), 4, {0x201000}},
        DecodeCase{
            "OneBit", IconFile({{.bits = 1, .colorCount = 2, .pixels = {0x80}}}), 1, {0x201001}},
        DecodeCase{"MaskedPixel",
                   IconFile({{.width = 3, .height = 2, .mask = {0x40, 0, 0, 0, 0, 0, 0, 0}}}),
                   4,
                   std::vector<std::uint32_t>(6, 0x201000),
                   {255, 0, 255, 255, 255, 255}},
        DecodeCase{"TrueColourWithMask",
                   IconFile({{.bits = 24, .colorCount = 0, .pixels = {1, 2, 3}, .mask = {0x80}}}),
                   24,
                   {0x030201},
                   {0}},
        DecodeCase{"AlphaChannel",
                   IconFile({{.width = 2, .bits = 32, .pixels = {1, 2, 3, 128, 4, 5, 6, 255}}}),
                   24,
                   {0x030201, 0x060504},
                   {128, 255}},
        DecodeCase{"OpaqueAlphaChannel",
                   IconFile({{.width = 2, .bits = 32, .pixels = {1, 2, 3, 255, 4, 5, 6, 255}}}),
                   24,
                   {0x030201, 0x060504}}),
    CaseName());

TEST(IconDecoder, BrokenFilesFailWithoutText) {
    const Bytes good = IconFile({IconBitmap{.width = 8, .height = 8}});
    Bytes pngEntry = good;
    std::copy_n("\x89PNG\r\n\x1a\n", 8, pngEntry.begin() + 22);
    Bytes offsetPastEnd = good;
    offsetPastEnd[20] = 0xFF;
    for (const Bytes& file :
         {IconFile({IconBitmap{}}, 2), Truncated(good, 4), Truncated(good, 12), Truncated(good, 30),
          Truncated(good, 22 + 40 + 10), Truncated(good, good.size() - 36),
          Truncated(good, good.size() - 1), offsetPastEnd, pngEntry,
          IconFile({IconBitmap{.bits = 2}}), IconFile({IconBitmap{.bits = 16}})}) {
        CIcoImage icon;
        EXPECT_FALSE(DecodeIcon(file, icon)) << file.size();
        EXPECT_STREQ(icon.GetErrorText(), "");
        EXPECT_TRUE(icon.IsEmpty());
    }
}

}  // namespace
}  // namespace kestrun::testing
