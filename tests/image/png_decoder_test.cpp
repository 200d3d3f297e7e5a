#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fuzz/memory_decode.h"
#include "tests/support/png_writer.h"
#include "tests/support/temp_folder.h"

namespace kestrun::testing {
namespace {

bool Decode(const std::string& file, CDibImage& image) {
    return DecodeMemory(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), FORMAT_PNG,
                        image);
}

// Five pixels wide, so that packed rows end in a half-used byte, and three high.
constexpr png_uint_32 Width = 5, Height = 3;

// The 8-bit value of colour channel c at (x, y), y counted from the top.
unsigned Sample(png_uint_32 x, png_uint_32 y, int c) {
    return (x * 37 + y * 11 + c * 53 + 7) % 256;
}

// Opaque, except one transparent and one half-transparent pixel.
unsigned AlphaAt(png_uint_32 x, png_uint_32 y) {
    return x == 1 && y == 1 ? 0 : (x == 2 && y == 0 ? 128 : 255);
}

png_color PaletteEntry(unsigned i) {
    return png_color{png_byte(i * 7), png_byte(255 - i * 3), png_byte(i * 13)};
}

PngPicture MakePicture(int colorType, int bitDepth, bool interlaced = false) {
    PngPicture picture{Width, Height, bitDepth, colorType, interlaced};
    const bool palette = colorType == PNG_COLOR_TYPE_PALETTE;
    for (unsigned i = 0; palette && i < (1u << bitDepth); ++i) {
        picture.palette.push_back(PaletteEntry(i));
    }
    const int channels = (colorType & PNG_COLOR_MASK_COLOR) && !palette ? 3 : 1;
    for (png_uint_32 y = 0; y < Height; ++y) {
        std::vector<unsigned> samples;
        for (png_uint_32 x = 0; x < Width; ++x) {
            for (int c = 0; c < channels; ++c) {
                const unsigned value = Sample(x, y, c);
                samples.push_back(bitDepth == 16 ? value << 8 | (255 - value)
                                                 : value >> (8 - bitDepth));
            }
            if (colorType & PNG_COLOR_MASK_ALPHA) {
                samples.push_back(AlphaAt(x, y) * (bitDepth == 16 ? 257 : 1));
            }
        }
        picture.rows.push_back(PackSamples(samples, bitDepth));
    }
    return picture;
}

// What the picture's pixel looks like once decoded, before any background blending.
RgbQuad ExpectedColour(int colorType, int bitDepth, png_uint_32 x, png_uint_32 y) {
    const int kept = std::min(bitDepth, 8);
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        const png_color entry = PaletteEntry(Sample(x, y, 0) >> (8 - kept));
        return RgbQuad{entry.blue, entry.green, entry.red, 0};
    }
    if ((colorType & PNG_COLOR_MASK_COLOR) == 0) {
        const auto grey = std::uint8_t((Sample(x, y, 0) >> (8 - kept)) * (255 / ((1 << kept) - 1)));
        return RgbQuad{grey, grey, grey, 0};
    }
    return RgbQuad{std::uint8_t(Sample(x, y, 2)), std::uint8_t(Sample(x, y, 1)),
                   std::uint8_t(Sample(x, y, 0)), 0};
}

// Interlaced files arrive in seven passes, each adding pixels to what the earlier ones left, and
// must give the same image. Blended pixels that are not opaque are checked with the backgrounds.
TEST(PngDecoder, EveryColourTypeAndDepthInterlacedOrNot) {
    struct Kind {
        int type, depth, bitCount;
        bool alphaPlane;
    };
    const int Grey = PNG_COLOR_TYPE_GRAY, Palette = PNG_COLOR_TYPE_PALETTE;
    const int GreyAlpha = PNG_COLOR_TYPE_GRAY_ALPHA, Rgba = PNG_COLOR_TYPE_RGB_ALPHA;
    for (const auto& [type, depth, bitCount, alphaPlane] :
         {Kind{Grey, 1, 1, false}, Kind{Grey, 2, 4, false}, Kind{Grey, 4, 4, false},
          Kind{Grey, 8, 8, false}, Kind{Grey, 16, 8, false}, Kind{Palette, 1, 1, false},
          Kind{Palette, 2, 4, false}, Kind{Palette, 4, 4, false}, Kind{Palette, 8, 8, false},
          Kind{GreyAlpha, 8, 8, false}, Kind{GreyAlpha, 16, 24, true},
          Kind{PNG_COLOR_TYPE_RGB, 8, 24, false}, Kind{PNG_COLOR_TYPE_RGB, 16, 24, false},
          Kind{Rgba, 8, 24, true}, Kind{Rgba, 16, 24, false}}) {
        SCOPED_TRACE(std::to_string(type) + " " + std::to_string(depth));
        CDibImage image, interlaced;
        ASSERT_TRUE(Decode(EncodePng(MakePicture(type, depth)), image));
        ASSERT_TRUE(Decode(EncodePng(MakePicture(type, depth, true)), interlaced));
        ASSERT_EQ(image.GetWidth() * image.GetHeight(), std::int32_t{Width * Height});
        EXPECT_EQ(image.GetBitCount(), bitCount);
        ASSERT_EQ(image.HasAlphaPlane(), alphaPlane);
        for (png_uint_32 i = 0; i < Width * Height; ++i) {
            const png_uint_32 x = i % Width, y = i / Width;
            if (alphaPlane || !(type & PNG_COLOR_MASK_ALPHA) || AlphaAt(x, y) == 255) {
                EXPECT_EQ(image.GetPixelColor(x, Height - 1 - y),
                          ExpectedColour(type, depth, x, y));
            }
            EXPECT_EQ(image.GetAlpha(x, Height - 1 - y), alphaPlane ? AlphaAt(x, y) : 0);
            EXPECT_EQ(interlaced.GetAlpha(x, y), image.GetAlpha(x, y));
        }
        ASSERT_EQ(image.GetSize(), interlaced.GetSize());
        EXPECT_EQ(std::memcmp(image.GetDibBlock(), interlaced.GetDibBlock(), image.GetSize()), 0);
    }
}

// Blended pictures show their transparent pixel in their own background, else in light grey;
// pictures with an alpha plane keep their background as the outside colour.
TEST(PngDecoder, BackgroundsAndPaletteTransparency) {
    const int Rgba = PNG_COLOR_TYPE_RGB_ALPHA;
    const RgbQuad opaque = ExpectedColour(PNG_COLOR_TYPE_RGB, 8, 1, 1), grey{192, 192, 192, 0};
    for (const auto& [type, depth, background, transparentPixel, outside] :
         {std::tuple{Rgba, 16, std::optional{png_color_16{0, 2570, 5140, 7710}},
                     RgbQuad{30, 20, 10, 0}, RgbQuad{}},
          {PNG_COLOR_TYPE_GRAY_ALPHA, 8, png_color_16{0, 0, 0, 0, 200}, {200, 200, 200, 0}, {}},
          {Rgba, 16, std::nullopt, grey, {}},
          {Rgba, 8, png_color_16{0, 16, 32, 48}, opaque, {48, 32, 16, 0}}}) {
        PngPicture picture = MakePicture(type, depth);
        picture.background = background;
        CDibImage image;
        ASSERT_TRUE(Decode(EncodePng(picture), image));
        EXPECT_EQ(image.GetPixelColor(1, Height - 2), transparentPixel) << type;
        EXPECT_EQ(image.GetOutsideColor(), outside) << type;
    }
    // A lone transparent entry 0 becomes the outside index; any other list fills the palette
    // alpha and makes the entries it does not list opaque.
    for (const std::vector<png_byte>& transparency : {std::vector<png_byte>{0}, {10, 20}}) {
        PngPicture picture = MakePicture(PNG_COLOR_TYPE_PALETTE, 4);
        picture.transparency = transparency;
        CDibImage image;
        ASSERT_TRUE(Decode(EncodePng(picture), image));
        const bool lone = transparency.size() == 1;
        EXPECT_EQ(image.GetOutsideIndex(), lone ? 0 : -1);
        EXPECT_EQ(image.GetPaletteColor(1).rgbReserved, lone ? 0 : 20);
        EXPECT_EQ(image.GetPaletteColor(2).rgbReserved, lone ? 0 : 255);
    }
}

// An unknown format code fails with its text. A file that is no PNG, or a corrupt one,
// fails with the read error and leaves the picture loaded before; a missing file leaves the
// text too. Files too large or too bloated to decode within bounds are replayed by the fuzz
// tests; a truncated snapshot is the window's.
TEST(ImageLoad, KeepsThePictureOnFailure) {
    TempFolder folder;
    std::string png = EncodePng(MakePicture(PNG_COLOR_TYPE_RGB, 8));
    const std::string path = folder.WriteFile("picture.png", png);
    CDibImage unknown(path, 3), image(path, FORMAT_PNG);
    EXPECT_TRUE(unknown.IsEmpty());
    EXPECT_STREQ(unknown.GetErrorText(), "Unsupported operation for this format");
    png[png.size() / 2] ^= 0x55;
    for (const std::string& bytes : {std::string("BM not a PNG at all"), png}) {
        EXPECT_FALSE(image.Load(folder.WriteFile("bad.png", bytes), FORMAT_PNG));
        EXPECT_STREQ(image.GetErrorText(), "Error reading PNG file");
    }
    EXPECT_EQ(image.GetWidth(), std::int32_t{Width});
    image.SetErrorText("earlier");
    EXPECT_FALSE(image.Load("/nonexistent/folder/snap.png", FORMAT_PNG));
    EXPECT_STREQ(image.GetErrorText(), "earlier");
}

}  // namespace
}  // namespace kestrun::testing
