#include "image/pcx_rows.h"
#include "tests/image/image_files.h"

namespace kestrun::testing {
namespace {

// The size counts from the minimum corner, wherever it lies. Header palette entry k is
// 0x030303 * k + 0x000102.
struct PcxFile {
    int bits = 8, planes = 1, width = 2, height = 1, bytesPerLine = 2;
    Bytes data;  // run-length coded, then what follows the image
    std::uint8_t manufacturer = 10, encoding = 1;

    Bytes File() const {
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

TEST(PcxDecoder, Files) {
    constexpr ImageFormat Format = FORMAT_PCX;
    // A run of count 0 writes nothing and consumes its value.
    ExpectDecodes(Format, "RunOfZero",
                  PcxFile{.data = WithPalette({0xC0, 0x55, 7, 0xC1, 8})}.File(), 8,
                  {0x07F807, 0x08F707});
    // The top row comes first.
    ExpectDecodes(Format, "RunsCrossRows",
                  PcxFile{.height = 3, .data = WithPalette({0xC3, 9, 1, 2, 3})}.File(), 8,
                  {0x02FD07, 0x03FC07, 0x09F607, 0x01FE07, 0x09F607, 0x09F607});
    ExpectDecodes(
        Format, "TrueColourIgnoresBytesPastTheWidth",
        PcxFile{.planes = 3, .bytesPerLine = 4, .data = {1, 2, 9, 9, 3, 4, 9, 9, 5, 6, 9, 9}}
            .File(),
        24, {0x010305, 0x020406});
    ExpectDecodes(Format, "OneBitIsBlackAndWhite",
                  PcxFile{.bits = 1, .width = 9, .data = {0x80, 0x80}}.File(), 1,
                  {0xFFFFFF, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF});
    // Each plane holds a byte more than the width needs.
    ExpectDecodes(
        Format, "FourPlanes",
        PcxFile{.bits = 1,
                .planes = 4,
                .width = 3,
                .data = {0x80, 0xC1, 0xFF, 0xC1, 0xC0, 0xC1, 0xFF, 0, 0xC1, 0xFF, 0x80, 0xC1, 0xFF}}
            .File(),
        4, {0x212223, 0x060708, 0x000102});
    ExpectDecodes(Format, "TwoBits",
                  PcxFile{.bits = 2, .width = 4, .bytesPerLine = 1, .data = {0x1B}}.File(), 4,
                  {0x000102, 0x030405, 0x060708, 0x090A0B});
}

TEST(PcxDecoder, HostileFiles) {
    constexpr ImageFormat Format = FORMAT_PCX;
    const char* bitsAndPlanes = "Can't handle bits per pixel image with planes.";
    ExpectRefused(Format, "HeaderCutShort", Bytes(100, 10), "Can't read PCX image");
    ExpectRefused(Format, "Manufacturer", PcxFile{.manufacturer = 11}.File(),
                  "Error: Not a PCX file");
    ExpectRefused(Format, "Encoding", PcxFile{.encoding = 0}.File(),
                  "PCX file has unknown encoding scheme");
    ExpectRefused(Format, "FivePlanes", PcxFile{.bits = 1, .planes = 5}.File(),
                  "Can't handle image with more than 4 planes");
    ExpectRefused(Format, "NegativePlanes", PcxFile{.bits = 1, .planes = -1}.File(), bitsAndPlanes);
    ExpectRefused(Format, "EightBitsTwoPlanes", PcxFile{.planes = 2}.File(), bitsAndPlanes);
    ExpectRefused(Format, "RowTooShort", PcxFile{.bits = 1, .width = 9, .bytesPerLine = 1}.File(),
                  "Bad PCX image size");
    ExpectRefused(Format, "DataCutShort", PcxFile{.data = {1}}.File(), "corrupted PCX");
    ExpectRefused(Format, "RunPastTheImage", PcxFile{.data = WithPalette({0xC3, 1})}.File(),
                  "repeat count spans end of image");
    ExpectRefused(Format, "PaletteSignature", PcxFile{.data = WithPalette({1, 2}, 11)}.File(),
                  "bad color map signature");
    // Layouts no header can ask for, refused by the row routines themselves.
    std::uint8_t bytes[8] = {};
    EXPECT_EQ(PcxPackedToIndexes(bytes, bytes, 8, 2, 8), PcxPackedMoreThanOnePlane);
    EXPECT_EQ(PcxPlanesToIndexes(bytes, bytes, 1, 8, 5, 1), PcxPlanarMoreThanFourPlanes);
    EXPECT_EQ(PcxPlanesToIndexes(bytes, bytes, 1, 8, 2, 2), PcxPlanarMoreThanOneBit);
}

}  // namespace
}  // namespace kestrun::testing
