#include <gtest/gtest.h>

#include "image/pcx_rows.h"
#include "tests/image/image_files.h"

namespace kestrun::testing {
namespace {

struct PcxFile {
    int bits = 8;
    int planes = 1;
    int width = 2;
    int height = 1;
    int bytesPerLine = 2;
    Bytes data;  // run-length coded, then what follows the image
    std::uint8_t manufacturer = 10;
    std::uint8_t encoding = 1;

    // The size counts from the minimum corner, wherever it lies. Header palette entry k is
    // 0x030303 * k + 0x000102.
    Bytes File() const {
        ByteWriter file;
        file.U8(manufacturer).U8(5).U8(encoding).U8(bits);
        file.U16(3).U16(7).U16(3 + width - 1).U16(7 + height - 1).U16(72).U16(72);
        for (int i = 0; i < 48; ++i) {
            file.U8(i);
        }
        file.U8(0).U8(planes).U16(bytesPerLine).U16(1);
        return file.Repeat(0, 58).Append(data).Data();
    }
};

Bytes WithPalette(Bytes data, std::uint8_t signature = 12) {
    data.push_back(signature);
    for (int i = 0; i < 256; ++i) {  // red i, green 255 - i, blue 7
        data.insert(data.end(), {std::uint8_t(i), std::uint8_t(255 - i), 7});
    }
    return data;
}

class PcxDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(PcxDecode, GivesTheExpectedPixels) {
    ExpectDecodes(GetParam(), FORMAT_PCX);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PcxDecode,
    ::testing::Values(
        // A run of count 0 writes nothing and consumes its value.
        DecodeCase{"EightBitsWithRunOfZero",
                   PcxFile{.data = WithPalette({0xC0, 0x55, 0x07, 0xC1, 0x08})}.File(),
                   8,
                   {0x07F807, 0x08F707}},
        // The top row comes first.
        DecodeCase{"RunsCrossRows",
                   PcxFile{.height = 3, .data = WithPalette({0xC3, 0x09, 0x01, 0x02, 0x03})}.File(),
                   8,
                   {0x02FD07, 0x03FC07, 0x09F607, 0x01FE07, 0x09F607, 0x09F607}},
        DecodeCase{"TrueColourPlanesIgnoreBytesBeyondTheWidth",
                   PcxFile{.planes = 3,
                           .bytesPerLine = 4,
                           .data = {1, 2, 0x77, 0x77, 3, 4, 0x77, 0x77, 5, 6, 0x77, 0x77}}
                       .File(),
                   24,
                   {0x010305, 0x020406}},
        DecodeCase{"OneBitIsBlackAndWhiteWhateverTheHeaderSays",
                   PcxFile{.bits = 1, .width = 9, .data = {0x80, 0x80}}.File(),
                   1,
                   {0xFFFFFF, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF}},
        // Each plane holds a byte more than the width needs.
        DecodeCase{"FourPlanesOfOneBit",
                   PcxFile{.bits = 1,
                           .planes = 4,
                           .width = 3,
                           .bytesPerLine = 2,
                           .data = {0x80, 0xC1, 0xFF, 0xC1, 0xC0, 0xC1, 0xFF, 0x00, 0xC1, 0xFF,
                                    0x80, 0xC1, 0xFF}}
                       .File(),
                   4,
                   {0x212223, 0x060708, 0x000102}},
        DecodeCase{"TwoBitsMakeFourBitPixels",
                   PcxFile{.bits = 2, .width = 4, .bytesPerLine = 1, .data = {0b00011011}}.File(),
                   4,
                   {0x000102, 0x030405, 0x060708, 0x090A0B}}),
    CaseName());

TEST(PcxRows, RoutinesRefuseLayoutsTheyCannotSplit) {
    std::uint8_t in[8] = {};
    std::uint8_t out[8] = {};
    EXPECT_EQ(PcxPackedToIndexes(out, in, 8, 2, 8), PcxPackedMoreThanOnePlane);
    EXPECT_EQ(PcxPlanesToIndexes(out, in, 1, 8, 5, 1), PcxPlanarMoreThanFourPlanes);
    EXPECT_EQ(PcxPlanesToIndexes(out, in, 1, 8, 2, 2), PcxPlanarMoreThanOneBit);
}

class PcxFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PcxFailure, IsRefusedWithItsText) {
    ExpectFailure(GetParam(), FORMAT_PCX);
}

constexpr const char* BitsAndPlanes = "Can't handle bits per pixel image with planes.";

INSTANTIATE_TEST_SUITE_P(
    Texts, PcxFailure,
    ::testing::Values(
        FailureCase{"HeaderCutShort", Bytes(100, 10), "Can't read PCX image"},
        FailureCase{"WrongManufacturer", PcxFile{.manufacturer = 11}.File(),
                    "Error: Not a PCX file"},
        FailureCase{"NotRunLength", PcxFile{.encoding = 0}.File(),
                    "PCX file has unknown encoding scheme"},
        FailureCase{"FiveBitPlanes", PcxFile{.bits = 1, .planes = 5}.File(),
                    "Can't handle image with more than 4 planes"},
        FailureCase{"ThreeBitPlanes", PcxFile{.bits = 1, .planes = 3}.File(), BitsAndPlanes},
        FailureCase{"NegativePlanes", PcxFile{.bits = 1, .planes = -1}.File(), BitsAndPlanes},
        FailureCase{"FourBitsInThreePlanes", PcxFile{.bits = 4, .planes = 3}.File(), BitsAndPlanes},
        FailureCase{"EightBitsInTwoPlanes", PcxFile{.planes = 2}.File(), BitsAndPlanes},
        FailureCase{"XMaxBelowXMin", PcxFile{.width = 0}.File(), "Bad PCX image size"},
        FailureCase{"RowTooShortForTheWidth",
                    PcxFile{.bits = 1, .width = 9, .bytesPerLine = 1}.File(), "Bad PCX image size"},
        FailureCase{"DataCutShort", PcxFile{.data = {1}}.File(), "corrupted PCX"},
        FailureCase{"RunValueMissing", PcxFile{.data = {1, 0xC1}}.File(), "corrupted PCX"},
        FailureCase{"RunPastTheImage", PcxFile{.data = WithPalette({0xC3, 1})}.File(),
                    "repeat count spans end of image"},
        FailureCase{"WrongPaletteSignature", PcxFile{.data = WithPalette({1, 2}, 11)}.File(),
                    "bad color map signature"},
        FailureCase{"PaletteCutShort", PcxFile{.data = {1, 2, 12, 5, 5}}.File(), "corrupted PCX"}),
    CaseName());

}  // namespace
}  // namespace kestrun::testing
