#include "image/decoders.h"
#include "tests/image/image_files.h"

namespace kestrun::testing {
namespace {

// One image of an icon file: its directory entry and its bitmap. Palette entry i is
// 0x201000 + i; missing pixel and mask bytes are zeros.
struct IconBitmap {
    int width = 1, height = 1, bits = 4;  // a width of 256 is written as 0 in the entry
    std::uint8_t colorCount = 16;
    Bytes pixels, mask;  // colour rows, bottom-up, padded; the mask (empty: all opaque)

    Bytes Bitmap() const {
        ByteWriter bitmap;
        bitmap.U32(40).U32(width).U32(2 * height).U16(1).U16(bits).Append({}, 24);
        for (int i = 0; bits <= 8 && i < (1 << bits); ++i) {
            bitmap.U32(0x201000 | i);
        }
        const std::size_t rowBytes = (bits * width + 31) / 32 * 4 * height;
        const std::size_t maskBytes = (width + 31) / 32 * 4 * height;
        bitmap.Append(pixels, rowBytes - std::min(pixels.size(), rowBytes));
        return bitmap.Append(mask, maskBytes - std::min(mask.size(), maskBytes)).bytes;
    }
};

Bytes IconFile(const std::vector<IconBitmap>& images, std::uint16_t type = 1) {
    ByteWriter file, bitmaps;
    file.U16(0).U16(type).U16(images.size());
    for (const IconBitmap& image : images) {
        const Bytes bitmap = image.Bitmap();
        file.U8(image.width & 0xFF).U8(image.height & 0xFF).U8(image.colorCount).U8(0);
        file.U16(1).U16(image.bits).U32(bitmap.size());
        file.U32(6 + 16 * images.size() + bitmaps.bytes.size());
        bitmaps.Append(bitmap);
    }
    return file.Append(bitmaps.bytes).bytes;
}

// The depth comes from the bitmap, whatever the colour count says; the mask becomes an alpha
// plane only when something is transparent.
TEST(IconDecoder, Files) {
    constexpr ImageFormat Format = FORMAT_ICO;
    ExpectDecodes(Format, "FourBits", IconFile({{.width = 2, .pixels = {0x3C}}}), 4,
                  {0x201003, 0x20100C});
    ExpectDecodes(Format, "NoColourCount", IconFile({{.colorCount = 0}}), 4, {0x201000});
    ExpectDecodes(Format, "OneBit", IconFile({{.bits = 1, .colorCount = 2, .pixels = {0x80}}}), 1,
                  {0x201001});
    ExpectDecodes(Format, "Masked", IconFile({{.width = 3, .height = 2, .mask = {0x40}}}), 4,
                  std::vector<std::uint32_t>(6, 0x201000), {255, 0, 255, 255, 255, 255});
    ExpectDecodes(Format, "TrueColourMasked",
                  IconFile({{.bits = 24, .pixels = {1, 2, 3}, .mask = {0x80}}}), 24, {0x030201},
                  {0});
    ExpectDecodes(Format, "Alpha",
                  IconFile({{.width = 2, .bits = 32, .pixels = {1, 2, 3, 128, 4, 5, 6, 255}}}), 24,
                  {0x030201, 0x060504}, {128, 255});
    ExpectDecodes(Format, "OpaqueAlpha",
                  IconFile({{.width = 2, .bits = 32, .pixels = {1, 2, 3, 255, 4, 5, 6, 255}}}), 24,
                  {0x030201, 0x060504});
}

// Broken files fail without a text.
TEST(IconDecoder, HostileFiles) {
    const Bytes good = IconFile({{.width = 8, .height = 8}});
    Bytes pngEntry = good;
    std::copy_n("\x89PNG\r\n\x1a\n", 8, pngEntry.begin() + 22);
    Bytes offsetPastEnd = good;
    offsetPastEnd[20] = 0xFF;
    for (const Bytes& file :
         {IconFile({{}}, 2), Truncated(good, 4), Truncated(good, 12), Truncated(good, 30),
          Truncated(good, 22 + 40 + 10), Truncated(good, good.size() - 36),
          Truncated(good, good.size() - 1), offsetPastEnd, pngEntry, IconFile({{.bits = 2}}),
          IconFile({{.bits = 16}})}) {
        ExpectRefused(FORMAT_ICO, std::to_string(file.size()).c_str(), file, "");
    }
}

// The decoder keeps the image count even when the index is past the last image.
TEST(IconDecoder, ImageIndexPicksTheImageOrFailsPastTheLast) {
    const Bytes file = IconFile({{.width = 1}, {.width = 2}, {.width = 3}});
    CDibImage image;
    image.SetImageIndex(2);
    ASSERT_TRUE(Decode(file, FORMAT_ICO, image));
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetImageCount(), 3);
    for (int index : {3, -1}) {
        CIcoImage icon;
        icon.SetImageIndex(index);
        const MemoryStream memory(file.data(), file.size());
        CImageFile source(memory.Stream());
        EXPECT_FALSE(icon.Decode(&source));
        EXPECT_EQ(icon.GetImageCount(), 3);
    }
    CDibImage large;
    ASSERT_TRUE(Decode(IconFile({{.width = 256, .height = 256, .bits = 1}}), FORMAT_ICO, large));
    EXPECT_EQ(large.GetWidth() + large.GetHeight(), 512);  // a size byte of 0 means 256
}

}  // namespace
}  // namespace kestrun::testing
