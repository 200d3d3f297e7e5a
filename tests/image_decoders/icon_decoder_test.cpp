#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "image/decoders.h"
#include "tests/image_decoders/byte_writer.h"

namespace kestrun::testing {
namespace {

// One image of an icon file: its directory entry and its bitmap (header, palette, colour rows,
// transparency mask).
struct IconBitmap {
    int width = 1;  // pixels; written as 0 in the entry when 256
    int height = 1;
    int bits = 4;
    std::uint8_t colorCount = 16;
    std::vector<std::uint8_t> pixels;  // colour rows, bottom-up, padded
    std::vector<std::uint8_t> mask;    // empty: all opaque

    std::vector<std::uint8_t> Bitmap() const {
        ByteWriter bitmap;
        bitmap.U32(40).U32(width).U32(2 * height).U16(1).U16(bits).U32(0).U32(0);
        bitmap.U32(0).U32(0).U32(0).U32(0);
        for (int i = 0; bits <= 8 && i < (1 << bits); ++i) {
            bitmap.Bytes({std::uint8_t(i), 0x10, 0x20, 0});
        }
        const std::size_t rowBytes = (bits * width + 31) / 32 * 4;
        bitmap.Append(pixels).Repeat(
            0, rowBytes * height - std::min(pixels.size(), rowBytes * height));
        const std::size_t maskBytes = (width + 31) / 32 * 4 * height;
        return bitmap.Append(mask).Repeat(0, maskBytes - std::min(mask.size(), maskBytes)).Data();
    }
};

std::vector<std::uint8_t> IconFile(const std::vector<IconBitmap>& images, std::uint16_t type = 1) {
    ByteWriter file;
    file.U16(0).U16(type).U16(images.size());
    std::size_t offset = 6 + 16 * images.size();
    std::vector<std::uint8_t> bitmaps;
    for (const IconBitmap& image : images) {
        const std::vector<std::uint8_t> bitmap = image.Bitmap();
        file.U8(image.width & 0xFF).U8(image.height & 0xFF).U8(image.colorCount).U8(0);
        file.U16(1).U16(image.bits).U32(bitmap.size()).U32(offset);
        offset += bitmap.size();
        bitmaps.insert(bitmaps.end(), bitmap.begin(), bitmap.end());
    }
    return file.Append(bitmaps).Data();
}

// Decodes with the icon decoder itself, so that what it sets on failure can be seen.
bool DecodeIcon(const std::vector<std::uint8_t>& file, CIcoImage& icon) {
    const MemoryStream memory(file.data(), file.size());
    CImageFile source(memory.Stream());
    return icon.Decode(&source);
}

TEST(IconDecoder, ImageIndexPicksTheImageOrFailsPastTheLast) {
    const std::vector<std::uint8_t> file =
        IconFile({IconBitmap{.width = 1}, IconBitmap{.width = 2}, IconBitmap{.width = 3}});
    CDibImage image;
    image.SetImageIndex(2);
    ASSERT_TRUE(Decode(file, FORMAT_ICO, image));
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetImageCount(), 3);
    EXPECT_EQ(image.GetFormat(), FORMAT_ICO);

    for (int index : {3, -1}) {
        CIcoImage icon;
        icon.SetImageIndex(index);
        EXPECT_FALSE(DecodeIcon(file, icon));
        EXPECT_EQ(icon.GetImageCount(), 3);
        EXPECT_STREQ(icon.GetErrorText(), "");
    }
}

TEST(IconDecoder, DepthComesFromTheBitmapHeader) {
    struct Case {
        int bits;
        std::uint8_t colorCount;
        int expectedBits;
    };
    for (const Case& c :
         {Case{4, 16, 4}, Case{1, 2, 1}, Case{8, 0, 8}, Case{4, 0, 4}, Case{24, 0, 24}}) {
        CDibImage image;
        ASSERT_TRUE(Decode(IconFile({IconBitmap{.bits = c.bits, .colorCount = c.colorCount}}),
                           FORMAT_ICO, image))
            << c.bits;
        EXPECT_EQ(image.GetBitCount(), c.expectedBits);
    }
}

TEST(IconDecoder, PaletteAndPixelsAreReadFromTheBitmap) {
    IconBitmap bitmap{.width = 2, .pixels = {0x3C, 0, 0, 0}};
    CDibImage image;
    ASSERT_TRUE(Decode(IconFile({bitmap}), FORMAT_ICO, image));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 3);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 12);
    EXPECT_EQ(image.GetPaletteColor(12), (RgbQuad{12, 0x10, 0x20, 0}));
}

TEST(IconDecoder, MaskBecomesAnAlphaPlaneOnlyWhenSomethingIsTransparent) {
    CDibImage opaque;
    ASSERT_TRUE(Decode(IconFile({IconBitmap{.width = 3, .height = 2}}), FORMAT_ICO, opaque));
    EXPECT_FALSE(opaque.HasAlphaPlane());

    // Bottom row: the middle pixel is transparent.
    IconBitmap bitmap{.width = 3, .height = 2, .mask = {0x40, 0, 0, 0, 0, 0, 0, 0}};
    CDibImage image;
    ASSERT_TRUE(Decode(IconFile({bitmap}), FORMAT_ICO, image));
    ASSERT_TRUE(image.HasAlphaPlane());
    EXPECT_EQ(std::vector<int>(image.GetAlphaPlane(), image.GetAlphaPlane() + 6),
              (std::vector<int>{255, 0, 255, 255, 255, 255}));
}

TEST(IconDecoder, SizeByteZeroMeans256Pixels) {
    CDibImage image;
    ASSERT_TRUE(
        Decode(IconFile({IconBitmap{.width = 256, .height = 256, .bits = 1}}), FORMAT_ICO, image));
    EXPECT_EQ(image.GetWidth(), 256);
    EXPECT_EQ(image.GetHeight(), 256);
}

TEST(IconDecoder, TrueColourBitmapsAreDecoded) {
    IconBitmap rgb{
        .width = 1, .bits = 24, .colorCount = 0, .pixels = {1, 2, 3, 0}, .mask = {0x80, 0, 0, 0}};
    CDibImage image;
    ASSERT_TRUE(Decode(IconFile({rgb}), FORMAT_ICO, image));
    EXPECT_EQ(image.GetPixelColor(0, 0), (RgbQuad{1, 2, 3, 0}));
    ASSERT_TRUE(image.HasAlphaPlane());
    EXPECT_EQ(image.GetAlpha(0, 0), 0);

    IconBitmap rgba{
        .width = 2, .bits = 32, .colorCount = 0, .pixels = {10, 20, 30, 128, 40, 50, 60, 255}};
    CDibImage withAlpha;
    ASSERT_TRUE(Decode(IconFile({rgba}), FORMAT_ICO, withAlpha));
    EXPECT_EQ(withAlpha.GetBitCount(), 24);
    EXPECT_EQ(withAlpha.GetPixelColor(1, 0), (RgbQuad{40, 50, 60, 0}));
    ASSERT_TRUE(withAlpha.HasAlphaPlane());
    EXPECT_EQ(withAlpha.GetAlpha(0, 0), 128);
    EXPECT_EQ(withAlpha.GetAlpha(1, 0), 255);
}

TEST(IconDecoder, BrokenFilesFailWithoutText) {
    const std::vector<std::uint8_t> good = IconFile({IconBitmap{.width = 8, .height = 8}});
    std::vector<std::uint8_t> pngEntry = good;
    std::copy_n("\x89PNG\r\n\x1a\n", 8, pngEntry.begin() + 22);
    std::vector<std::uint8_t> offsetPastEnd = good;
    offsetPastEnd[20] = 0xFF;
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
        {"cursor file", IconFile({IconBitmap{}}, 2)},
        {"directory header cut short", Truncated(good, 4)},
        {"directory cut short", Truncated(good, 12)},
        {"bitmap header cut short", Truncated(good, 30)},
        {"palette cut short", Truncated(good, 22 + 40 + 10)},
        {"pixels cut short", Truncated(good, good.size() - 32 - 4)},
        {"mask cut short", Truncated(good, good.size() - 1)},
        {"image offset past the end", offsetPastEnd},
        {"PNG-coded image", pngEntry},
        {"two bits per pixel", IconFile({IconBitmap{.bits = 2}})},
        {"sixteen bits per pixel", IconFile({IconBitmap{.bits = 16}})},
    };
    for (const auto& [name, file] : cases) {
        CIcoImage icon;
        EXPECT_FALSE(DecodeIcon(file, icon)) << name;
        EXPECT_STREQ(icon.GetErrorText(), "") << name;
    }
}

}  // namespace
}  // namespace kestrun::testing
