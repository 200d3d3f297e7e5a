#include <vector>

#include <gtest/gtest.h>

#include "image/pcx_rows.h"
#include "tests/image_decoders/byte_writer.h"

namespace kestrun::testing {
namespace {

struct PcxFile {
    int bits = 8;
    int planes = 1;
    int width = 2;
    int height = 1;
    int bytesPerLine = 2;
    std::vector<std::uint8_t> data;  // run-length coded, then what follows the image
    std::uint8_t headerPaletteByte = 0;
    std::uint8_t manufacturer = 10;
    std::uint8_t encoding = 1;
    int xMin = 3;  // the size counts from the minimum, wherever it lies

    std::vector<std::uint8_t> Bytes() const {
        ByteWriter file;
        file.U8(manufacturer).U8(5).U8(encoding).U8(bits);
        file.U16(xMin).U16(7).U16(xMin + width - 1).U16(7 + height - 1).U16(72).U16(72);
        file.Repeat(headerPaletteByte, 48).U8(0).U8(planes).U16(bytesPerLine).U16(1);
        file.Repeat(0, 58);
        return file.Append(data).Data();
    }
};

std::vector<std::uint8_t> WithPalette(std::vector<std::uint8_t> data, std::uint8_t signature = 12) {
    data.push_back(signature);
    for (int i = 0; i < 256; ++i) {
        data.insert(data.end(), {std::uint8_t(i), std::uint8_t(255 - i), 7});
    }
    return data;
}

TEST(PcxDecoder, RunOfCountZeroWritesNothingAndConsumesItsValue) {
    PcxFile pcx{.data = WithPalette({0xC0, 0x55, 0x07, 0xC1, 0x08})};
    CDibImage image;
    ASSERT_TRUE(Decode(pcx.Bytes(), FORMAT_PCX, image)) << image.GetErrorText();
    EXPECT_EQ(image.GetBitCount(), 8);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 7);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 8);
    EXPECT_EQ(image.GetPaletteColor(8), (RgbQuad{7, 247, 8, 0}));
}

TEST(PcxDecoder, TopRowIsStoredFirstAndRunsMayCrossRows) {
    PcxFile pcx{.height = 3, .data = WithPalette({0xC3, 0x09, 0x01, 0x02, 0x03})};
    CDibImage image;
    ASSERT_TRUE(Decode(pcx.Bytes(), FORMAT_PCX, image)) << image.GetErrorText();
    EXPECT_EQ(image.GetPixelIndex(0, 2), 9);
    EXPECT_EQ(image.GetPixelIndex(1, 2), 9);
    EXPECT_EQ(image.GetPixelIndex(0, 1), 9);
    EXPECT_EQ(image.GetPixelIndex(1, 1), 1);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 2);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 3);
}

TEST(PcxDecoder, TrueColourPlanesIgnoreBytesBeyondTheWidth) {
    PcxFile pcx{.planes = 3,
                .bytesPerLine = 4,
                .data = {1, 2, 0x77, 0x77, 3, 4, 0x77, 0x77, 5, 6, 0x77, 0x77}};
    CDibImage image;
    ASSERT_TRUE(Decode(pcx.Bytes(), FORMAT_PCX, image)) << image.GetErrorText();
    EXPECT_EQ(image.GetBitCount(), 24);
    EXPECT_EQ(image.GetWidth(), 2);
    EXPECT_EQ(image.GetPixelColor(0, 0), (RgbQuad{5, 3, 1, 0}));
    EXPECT_EQ(image.GetPixelColor(1, 0), (RgbQuad{6, 4, 2, 0}));
}

TEST(PcxDecoder, OneBitImageIsBlackAndWhiteWhateverTheHeaderSays) {
    PcxFile pcx{.bits = 1, .width = 9, .data = {0x80, 0x80}, .headerPaletteByte = 0x77};
    CDibImage image;
    ASSERT_TRUE(Decode(pcx.Bytes(), FORMAT_PCX, image)) << image.GetErrorText();
    EXPECT_EQ(image.GetBitCount(), 1);
    EXPECT_EQ(image.GetPaletteColor(0), (RgbQuad{0, 0, 0, 0}));
    EXPECT_EQ(image.GetPaletteColor(1), (RgbQuad{255, 255, 255, 0}));
    EXPECT_EQ(image.GetPixelIndex(0, 0), 1);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 0);
    EXPECT_EQ(image.GetPixelIndex(8, 0), 1);
}

TEST(PcxDecoder, FourPlanesOfOneBitGiveSixteenColours) {
    PcxFile pcx{.bits = 1,
                .planes = 4,
                .width = 8,
                .bytesPerLine = 1,
                .data = {0x80, 0xC1, 0xC0, 0x00, 0x80},
                .headerPaletteByte = 0x33};
    CDibImage image;
    ASSERT_TRUE(Decode(pcx.Bytes(), FORMAT_PCX, image)) << image.GetErrorText();
    EXPECT_EQ(image.GetBitCount(), 4);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 0b1011);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 0b0010);
    EXPECT_EQ(image.GetPixelIndex(2, 0), 0);
    EXPECT_EQ(image.GetPaletteColor(15), (RgbQuad{0x33, 0x33, 0x33, 0}));
}

TEST(PcxDecoder, TwoBitPixelsGiveAFourBitImage) {
    PcxFile pcx{.bits = 2, .width = 4, .bytesPerLine = 1, .data = {0b00011011}};
    CDibImage image;
    ASSERT_TRUE(Decode(pcx.Bytes(), FORMAT_PCX, image)) << image.GetErrorText();
    EXPECT_EQ(image.GetBitCount(), 4);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(image.GetPixelIndex(x, 0), x);
    }
}

TEST(PcxRows, RoutinesRefuseLayoutsTheyCannotSplit) {
    std::uint8_t in[8] = {};
    std::uint8_t out[8] = {};
    auto textOf = [](auto routine) {
        try {
            routine();
        } catch (const char* text) {
            return std::string(text);
        }
        return std::string("no failure");
    };
    EXPECT_EQ(textOf([&] { PcxPackedToIndexes(out, in, 1, 2, 8); }),
              "Can't handle packed pixels with more than 1 plane.");
    EXPECT_EQ(textOf([&] { PcxPlanesToIndexes(out, in, 1, 5, 1); }),
              "Can't handle more than 4 planes");
    EXPECT_EQ(textOf([&] { PcxPlanesToIndexes(out, in, 1, 2, 2); }),
              "Can't handle more than 1 bit per pixel");
}

class PcxFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PcxFailure, IsRefusedWithItsText) {
    EXPECT_EQ(FailureOf(GetParam().file, FORMAT_PCX), GetParam().text);
}

constexpr const char* BitsAndPlanes = "Can't handle bits per pixel image with planes.";

INSTANTIATE_TEST_SUITE_P(
    Texts, PcxFailure,
    ::testing::Values(
        FailureCase{"HeaderCutShort", std::vector<std::uint8_t>(100, 10), "Can't read PCX image"},
        FailureCase{"WrongManufacturer", PcxFile{.manufacturer = 11}.Bytes(),
                    "Error: Not a PCX file"},
        FailureCase{"NotRunLength", PcxFile{.encoding = 0}.Bytes(),
                    "PCX file has unknown encoding scheme"},
        FailureCase{"FiveBitPlanes", PcxFile{.bits = 1, .planes = 5}.Bytes(),
                    "Can't handle image with more than 4 planes"},
        FailureCase{"ThreeBitPlanes", PcxFile{.bits = 1, .planes = 3}.Bytes(), BitsAndPlanes},
        FailureCase{"NegativePlanes", PcxFile{.bits = 1, .planes = -1}.Bytes(), BitsAndPlanes},
        FailureCase{"ZeroPlanes", PcxFile{.planes = 0}.Bytes(), BitsAndPlanes},
        FailureCase{"FourBitsInThreePlanes", PcxFile{.bits = 4, .planes = 3}.Bytes(),
                    BitsAndPlanes},
        FailureCase{"EightBitsInTwoPlanes", PcxFile{.planes = 2}.Bytes(), BitsAndPlanes},
        FailureCase{"SixteenBits", PcxFile{.bits = 16}.Bytes(), BitsAndPlanes},
        FailureCase{"XMaxBelowXMin", PcxFile{.width = 0}.Bytes(), "Bad PCX image size"},
        FailureCase{"YMaxBelowYMin", PcxFile{.height = -1}.Bytes(), "Bad PCX image size"},
        FailureCase{"RowTooShortForTheWidth",
                    PcxFile{.bits = 1, .width = 9, .bytesPerLine = 1}.Bytes(),
                    "Bad PCX image size"},
        FailureCase{"DataCutShort", PcxFile{.data = {1}}.Bytes(), "corrupted PCX"},
        FailureCase{"RunValueMissing", PcxFile{.data = {1, 0xC1}}.Bytes(), "corrupted PCX"},
        FailureCase{"RunPastTheImage", PcxFile{.data = WithPalette({0xC3, 1})}.Bytes(),
                    "repeat count spans end of image"},
        FailureCase{"WrongPaletteSignature", PcxFile{.data = WithPalette({1, 2}, 11)}.Bytes(),
                    "bad color map signature"},
        FailureCase{"PaletteMissing", PcxFile{.data = {1, 2}}.Bytes(), "bad color map signature"},
        FailureCase{"PaletteCutShort", PcxFile{.data = {1, 2, 12, 5, 5}}.Bytes(), "corrupted PCX"}),
    CaseName());

}  // namespace
}  // namespace kestrun::testing
