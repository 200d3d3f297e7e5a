#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <string>

#include "image/dib_image.h"
#include "tests/support/png_writer.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using testing::EncodePng;
using testing::PackSamples;
using testing::PngPicture;

constexpr png_uint_32 Width = 5;  // odd, so that packed rows end in a half-used byte
constexpr png_uint_32 Height = 3;

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
    const bool rgb = colorType == PNG_COLOR_TYPE_RGB || colorType == PNG_COLOR_TYPE_RGB_ALPHA;
    const int colours = rgb ? 3 : 1;
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

TEST_F(PngFiles, TwoBitGreyGetsFourEvenGreys) {
    CDibImage image;
    ASSERT_TRUE(Load(EncodePng(MakePicture(PNG_COLOR_TYPE_GRAY, 2)), image));
    const std::uint8_t greys[] = {0, 85, 170, 255};
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(image.GetPaletteColor(i), (RgbQuad{greys[i], greys[i], greys[i], 0}));
    }
}

TEST_F(PngFiles, BackgroundColourFillsTransparentPixels) {
    PngPicture grey = MakePicture(PNG_COLOR_TYPE_GRAY_ALPHA, 8);
    grey.background = png_color_16{0, 0, 0, 0, 200};
    CDibImage greyImage;
    ASSERT_TRUE(Load(EncodePng(grey), greyImage));
    EXPECT_EQ(greyImage.GetPixelColor(1, Height - 2), (RgbQuad{200, 200, 200, 0}));

    PngPicture colour = MakePicture(PNG_COLOR_TYPE_RGB_ALPHA, 16);
    colour.background = png_color_16{0, 10 * 257, 20 * 257, 30 * 257, 0};
    CDibImage colourImage;
    ASSERT_TRUE(Load(EncodePng(colour), colourImage));
    EXPECT_EQ(colourImage.GetPixelColor(1, Height - 2), (RgbQuad{30, 20, 10, 0}));

    // Without a background of their own, 16-bit colour pictures are shown on light grey.
    CDibImage plain;
    ASSERT_TRUE(Load(EncodePng(MakePicture(PNG_COLOR_TYPE_RGB_ALPHA, 16)), plain));
    EXPECT_EQ(plain.GetPixelColor(1, Height - 2), (RgbQuad{192, 192, 192, 0}));
}

// Not blended: the background is kept as the outside colour, and the alpha plane's rows run
// bottom-up like the DIB's.
TEST_F(PngFiles, AlphaPicturesKeepTheirBackgroundAndAlphaPlane) {
    PngPicture picture = MakePicture(PNG_COLOR_TYPE_RGB_ALPHA, 8);
    picture.background = png_color_16{0, 0x10, 0x20, 0x30, 0};
    CDibImage image;
    ASSERT_TRUE(Load(EncodePng(picture), image));
    EXPECT_EQ(image.GetOutsideColor(), (RgbQuad{0x30, 0x20, 0x10, 0}));
    // The file's top row holds the half-transparent pixel (2, 0): it is the plane's last row.
    EXPECT_EQ(image.GetAlphaPlane()[(Height - 1) * Width + 2], 128);
    EXPECT_EQ(image.GetAlphaPlane()[2], 255);
}

// A lone transparent entry 0 becomes the outside index; any other list fills the palette alpha
// and makes the entries it does not list opaque.
TEST_F(PngFiles, PaletteTransparency) {
    struct Case {
        std::vector<png_byte> transparency;
        int outsideIndex;
        std::vector<int> reserved;  // entries 0, 1, 2 and 15
    };
    for (const Case& c : {Case{{0}, 0, {0, 0, 0, 0}}, Case{{10, 20}, -1, {10, 20, 255, 255}}}) {
        PngPicture picture = MakePicture(PNG_COLOR_TYPE_PALETTE, 4);
        picture.transparency = c.transparency;
        CDibImage image;
        ASSERT_TRUE(Load(EncodePng(picture), image));
        EXPECT_EQ(image.GetOutsideIndex(), c.outsideIndex);
        EXPECT_EQ((std::vector<int>{
                      image.GetPaletteColor(0).rgbReserved, image.GetPaletteColor(1).rgbReserved,
                      image.GetPaletteColor(2).rgbReserved, image.GetPaletteColor(15).rgbReserved}),
                  c.reserved);
        EXPECT_EQ(image.GetPixelIndex(3, 0), Sample(3, Height - 1, 0) >> 4);
    }
}

TEST_F(PngFiles, BrokenFilesFailWithTheReadErrorAndLeaveTheImageEmpty) {
    const std::string good = EncodePng(MakePicture(PNG_COLOR_TYPE_RGB, 8));
    std::string badChecksum = good;
    badChecksum[good.size() / 2] ^= 0x55;
    for (const std::string& bytes :
         {std::string("BM not a PNG at all"), std::string(), good.substr(0, 8),
          good.substr(0, good.size() - 30), badChecksum}) {
        CDibImage image;
        EXPECT_FALSE(Load(bytes, image)) << bytes.size() << " bytes";
        EXPECT_STREQ(image.GetErrorText(), "Error reading PNG file");
        EXPECT_TRUE(image.IsEmpty());
        EXPECT_FALSE(image.HasAlphaPlane());
    }
}

TEST_F(PngFiles, AFailedLoadKeepsThePreviousPicture) {
    CDibImage image;
    ASSERT_TRUE(Load(EncodePng(MakePicture(PNG_COLOR_TYPE_RGB, 8)), image));
    EXPECT_FALSE(Load("junk", image));
    EXPECT_EQ(image.GetWidth(), static_cast<std::int32_t>(Width));
    EXPECT_FALSE(image.IsEmpty());
}

TEST_F(PngFiles, OversizedDimensionsAreRefusedNotAllocated) {
    // A valid header for 60000 x 60000 pixels: far beyond what an image may take.
    PngPicture picture = MakePicture(PNG_COLOR_TYPE_RGB, 8);
    std::string bytes = EncodePng(picture);
    const unsigned char size[8] = {0, 0, 0xEA, 0x60, 0, 0, 0xEA, 0x60};
    bytes.replace(16, 8, reinterpret_cast<const char*>(size), 8);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(bytes.data()) + 12, 17);
    for (int i = 0; i < 4; ++i) {
        bytes[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
    }
    CDibImage image;
    EXPECT_FALSE(Load(bytes, image));
    EXPECT_STREQ(image.GetErrorText(), "Error reading PNG file");
    EXPECT_TRUE(image.IsEmpty());
}

TEST(ImageLoad, UnknownFormatCodesAreUnsupported) {
    testing::TempFolder folder;
    const std::string path =
        folder.WriteFile("picture.png", EncodePng(MakePicture(PNG_COLOR_TYPE_RGB, 8)));
    for (ImageFormat code : {3u, 5u, 0xFFFFFFFFu}) {
        CDibImage image(path, code);
        EXPECT_TRUE(image.IsEmpty());
        EXPECT_STREQ(image.GetErrorText(), "Unsupported operation for this format") << code;
    }
    CDibImage loaded(path, FORMAT_PNG);
    EXPECT_FALSE(loaded.IsEmpty());
}

TEST(ImageLoad, AMissingFileFailsWithoutTouchingTheErrorText) {
    CDibImage image;
    image.SetErrorText("earlier");
    EXPECT_FALSE(image.Load("/nonexistent/folder/snap.png", FORMAT_PNG));
    EXPECT_STREQ(image.GetErrorText(), "earlier");
}

}  // namespace
}  // namespace kestrun
