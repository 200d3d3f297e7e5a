#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "image/dib_image.h"
#include "tests/image/png_writer.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using testing::EncodePng;
using testing::PackSamples;
using testing::PngPicture;

constexpr png_uint_32 Width = 5;  // odd, so that packed rows end in a half-used byte
constexpr png_uint_32 Height = 3;

int ChannelsOf(int colorType) {
    switch (colorType) {
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return 2;
        case PNG_COLOR_TYPE_RGB:
            return 3;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            return 4;
        default:
            return 1;
    }
}

bool HasAlphaChannel(int colorType) {
    return (colorType & PNG_COLOR_MASK_ALPHA) != 0;
}

// The 8-bit value of colour channel c at (x, y), y counted from the top.
unsigned Sample(png_uint_32 x, png_uint_32 y, int c) {
    return (x * 37 + y * 11 + c * 53 + 7) % 256;
}

// Opaque, except one transparent and one half-transparent pixel.
unsigned AlphaAt(png_uint_32 x, png_uint_32 y) {
    if (x == 1 && y == 1) {
        return 0;
    }
    return (x == 2 && y == 0) ? 128 : 255;
}

png_color PaletteEntry(unsigned i) {
    return png_color{static_cast<png_byte>(i * 7), static_cast<png_byte>(255 - i * 3),
                     static_cast<png_byte>(i * 13)};
}

PngPicture MakePicture(int colorType, int bitDepth, bool interlaced = false) {
    PngPicture picture;
    picture.width = Width;
    picture.height = Height;
    picture.bitDepth = bitDepth;
    picture.colorType = colorType;
    picture.interlaced = interlaced;
    const int colours = ChannelsOf(colorType) - (HasAlphaChannel(colorType) ? 1 : 0);
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        for (unsigned i = 0; i < (1u << bitDepth); ++i) {
            picture.palette.push_back(PaletteEntry(i));
        }
    }
    for (png_uint_32 y = 0; y < Height; ++y) {
        std::vector<unsigned> samples;
        for (png_uint_32 x = 0; x < Width; ++x) {
            for (int c = 0; c < colours; ++c) {
                const unsigned value = Sample(x, y, c);
                if (bitDepth == 16) {
                    samples.push_back((value << 8) | (255 - value));
                } else {
                    samples.push_back(value >> (8 - bitDepth));
                }
            }
            if (HasAlphaChannel(colorType)) {
                const unsigned alpha = AlphaAt(x, y);
                samples.push_back(bitDepth == 16 ? alpha * 257 : alpha);
            }
        }
        picture.rows.push_back(PackSamples(samples, bitDepth));
    }
    return picture;
}

// What the picture's pixel looks like once decoded, before any background blending.
RgbQuad ExpectedColour(int colorType, int bitDepth, png_uint_32 x, png_uint_32 y) {
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        const png_color entry = PaletteEntry(Sample(x, y, 0) >> (8 - bitDepth));
        return RgbQuad{entry.blue, entry.green, entry.red, 0};
    }
    if ((colorType & PNG_COLOR_MASK_COLOR) == 0) {
        const unsigned levels = bitDepth >= 8 ? 255 : (1u << bitDepth) - 1;
        const unsigned sample = bitDepth >= 8 ? Sample(x, y, 0) : Sample(x, y, 0) >> (8 - bitDepth);
        const auto grey = static_cast<std::uint8_t>(sample * (255 / levels));
        return RgbQuad{grey, grey, grey, 0};
    }
    return RgbQuad{static_cast<std::uint8_t>(Sample(x, y, 2)),
                   static_cast<std::uint8_t>(Sample(x, y, 1)),
                   static_cast<std::uint8_t>(Sample(x, y, 0)), 0};
}

class PngFiles : public ::testing::Test {
  protected:
    // Writes the bytes to a file and loads it the way the snapshot display does.
    bool Load(const std::string& bytes, CDibImage& image) {
        const std::string path =
            folder_.WriteFile("picture" + std::to_string(count_++) + ".png", bytes);
        return image.Load(path, FORMAT_PNG);
    }

    testing::TempFolder folder_;
    int count_ = 0;
};

struct PngKind {
    const char* name;
    int colorType;
    int bitDepth;
    std::uint16_t bitCount;
    bool alphaPlane;
};

std::string KindName(const ::testing::TestParamInfo<PngKind>& info) {
    return info.param.name;
}

class PngKinds : public PngFiles, public ::testing::WithParamInterface<PngKind> {};

TEST_P(PngKinds, DecodeToTheirDepthColoursAndAlpha) {
    const PngKind& kind = GetParam();
    const std::string bytes = EncodePng(MakePicture(kind.colorType, kind.bitDepth));
    ASSERT_FALSE(bytes.empty());
    CDibImage image;
    ASSERT_TRUE(Load(bytes, image)) << image.GetErrorText();
    EXPECT_EQ(image.GetFormat(), FORMAT_PNG);
    ASSERT_EQ(image.GetWidth(), static_cast<std::int32_t>(Width));
    ASSERT_EQ(image.GetHeight(), static_cast<std::int32_t>(Height));
    EXPECT_EQ(image.GetBitCount(), kind.bitCount);
    EXPECT_EQ(image.HasAlphaPlane(), kind.alphaPlane);
    const bool blended = HasAlphaChannel(kind.colorType) && !kind.alphaPlane;
    for (png_uint_32 y = 0; y < Height; ++y) {
        const std::int64_t dibRow = Height - 1 - y;
        for (png_uint_32 x = 0; x < Width; ++x) {
            if (blended && AlphaAt(x, y) != 255) {
                continue;
            }
            EXPECT_EQ(image.GetPixelColor(x, dibRow),
                      ExpectedColour(kind.colorType, kind.bitDepth, x, y))
                << "pixel " << x << "," << y;
            if (kind.alphaPlane) {
                EXPECT_EQ(image.GetAlpha(x, dibRow), AlphaAt(x, y)) << "pixel " << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    ColourTypesAndDepths, PngKinds,
    ::testing::Values(PngKind{"Grey1", PNG_COLOR_TYPE_GRAY, 1, 1, false},
                      PngKind{"Grey2", PNG_COLOR_TYPE_GRAY, 2, 4, false},
                      PngKind{"Grey4", PNG_COLOR_TYPE_GRAY, 4, 4, false},
                      PngKind{"Grey8", PNG_COLOR_TYPE_GRAY, 8, 8, false},
                      PngKind{"Grey16", PNG_COLOR_TYPE_GRAY, 16, 8, false},
                      PngKind{"Palette1", PNG_COLOR_TYPE_PALETTE, 1, 1, false},
                      PngKind{"Palette2", PNG_COLOR_TYPE_PALETTE, 2, 4, false},
                      PngKind{"Palette4", PNG_COLOR_TYPE_PALETTE, 4, 4, false},
                      PngKind{"Palette8", PNG_COLOR_TYPE_PALETTE, 8, 8, false},
                      PngKind{"GreyAlpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, 8, false},
                      PngKind{"GreyAlpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, 24, true},
                      PngKind{"Rgb8", PNG_COLOR_TYPE_RGB, 8, 24, false},
                      PngKind{"Rgb16", PNG_COLOR_TYPE_RGB, 16, 24, false},
                      PngKind{"Rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8, 24, true},
                      PngKind{"Rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, 24, false}),
    KindName);

// Interlaced rows arrive in seven passes, each adding pixels to what the earlier ones left.
TEST_P(PngKinds, InterlacedGivesTheSameImage) {
    const PngKind& kind = GetParam();
    CDibImage plain;
    CDibImage interlaced;
    ASSERT_TRUE(Load(EncodePng(MakePicture(kind.colorType, kind.bitDepth)), plain));
    ASSERT_TRUE(Load(EncodePng(MakePicture(kind.colorType, kind.bitDepth, true)), interlaced))
        << interlaced.GetErrorText();
    ASSERT_EQ(plain.GetSize(), interlaced.GetSize());
    EXPECT_EQ(std::memcmp(plain.GetDibBlock(), interlaced.GetDibBlock(), plain.GetSize()), 0);
    ASSERT_EQ(plain.HasAlphaPlane(), interlaced.HasAlphaPlane());
    if (plain.HasAlphaPlane()) {
        EXPECT_EQ(std::memcmp(plain.GetAlphaPlane(), interlaced.GetAlphaPlane(), Width * Height),
                  0);
    }
}

}  // namespace
}  // namespace kestrun
