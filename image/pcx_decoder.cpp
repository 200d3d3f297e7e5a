#include <algorithm>
#include <array>

#include "image/decoder_io.h"
#include "image/decoders.h"
#include "image/dib_layout.h"
#include "image/image_buffer.h"
#include "image/pcx_rows.h"

namespace kestrun {
namespace {

constexpr std::size_t HeaderBytes = 128;
constexpr std::uint8_t PcxManufacturer = 10;
constexpr std::uint8_t RunLengthEncoding = 1;
constexpr std::uint8_t PaletteSignature = 12;
constexpr std::uint8_t RunMarker = 0xC0;
constexpr std::uint64_t LongestRun = 0x3F;
constexpr std::size_t HeaderPaletteEntries = 16;
constexpr std::size_t FullPaletteEntries = 256;

// The depth of the image made for a number of bits per pixel per plane and of planes. Only
// combinations whose indexes fit that depth are accepted.
ImageError ImageBitCount(int bitsPerPixel, int planes, int& depth) {
    if (bitsPerPixel == 1 && planes > 4) {
        return PcxMoreThanFourPlanes;
    }
    if (bitsPerPixel == 1 && (planes == 1 || planes == 4)) {
        depth = planes;
    } else if (planes == 1 && (bitsPerPixel == 2 || bitsPerPixel == 4 || bitsPerPixel == 8)) {
        depth = bitsPerPixel;
    } else if (bitsPerPixel == 8 && planes == 3) {
        depth = 24;
    } else {
        return PcxBitsAndPlanesNotSupported;
    }
    return ImageOk;
}

// The run-length coded image data, decoded one row at a time. A run may carry over into the
// next row, but never past the end of the image.
class PcxRunDecoder {
  public:
    PcxRunDecoder(ByteStream& in, std::uint64_t expected) : in_(in), expected_(expected) {}

    ImageError Fill(std::uint8_t* out, std::size_t count) {
        while (count > 0) {
            if (runLeft_ > 0) {
                const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(runLeft_, count));
                out = std::fill_n(out, n, runValue_);
                runLeft_ -= n;
                count -= n;
                continue;
            }
            std::uint8_t byte = 0;
            if (!in_.Next(byte)) {
                return PcxCorrupted;
            }
            if ((byte & RunMarker) != RunMarker) {
                *out++ = byte;
                --expected_;
                --count;
                continue;
            }
            const std::uint64_t length = byte & LongestRun;
            if (!in_.Next(runValue_)) {
                return PcxCorrupted;
            }
            if (length > expected_) {
                return PcxRunPastTheEnd;
            }
            runLeft_ = length;
            expected_ -= length;
        }
        return ImageOk;
    }

  private:
    ByteStream& in_;
    std::uint64_t expected_;
    std::uint64_t runLeft_ = 0;
    std::uint8_t runValue_ = 0;
};

struct PcxHeader {
    int bitsPerPixel = 0;
    int planes = 0;
    int depth = 0;  // of the image made
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::size_t bytesPerLine = 0;
    const std::uint8_t* palette = nullptr;  // 16 red-green-blue triples
};

ImageError ParseHeader(const std::uint8_t* bytes, PcxHeader& header) {
    if (bytes[0] != PcxManufacturer) {
        return PcxNotAPcx;
    }
    if (bytes[2] != RunLengthEncoding) {
        return PcxUnknownEncoding;
    }
    const std::int64_t xMin = ReadLe16(bytes + 4);
    const std::int64_t yMin = ReadLe16(bytes + 6);
    const std::int64_t xMax = ReadLe16(bytes + 8);
    const std::int64_t yMax = ReadLe16(bytes + 10);
    header.bitsPerPixel = bytes[3];
    header.planes = static_cast<std::int8_t>(bytes[65]);
    header.bytesPerLine = ReadLe16(bytes + 66);
    header.palette = bytes + 16;
    if (const ImageError error = ImageBitCount(header.bitsPerPixel, header.planes, header.depth)) {
        return error;
    }
    header.width = xMax - xMin + 1;
    header.height = yMax - yMin + 1;
    // Every plane of a row must hold all its pixels.
    if (!ComputeDibLayout(header.width, header.height, header.depth) ||
        header.bytesPerLine * 8 < static_cast<std::uint64_t>(header.width * header.bitsPerPixel)) {
        return PcxBadSize;
    }
    return ImageOk;
}

void StoreTrueColourRow(CDibImage& image, std::int64_t dibRow, const std::uint8_t* line,
                        std::size_t bytesPerLine) {
    std::uint8_t* out = image.GetBits() + dibRow * image.GetRowBytes();
    for (std::int64_t x = 0; x < image.GetWidth(); ++x, out += 3) {
        out[0] = line[2 * bytesPerLine + x];
        out[1] = line[bytesPerLine + x];
        out[2] = line[x];
    }
}

// The palette of the image as red-green-blue triples: the header's 16 entries, the 256 entries
// after the image data of 8-bit files, or black and white for 1-bit files.
ImageError ReadPalette(const PcxHeader& header, ByteStream& in,
                       std::array<std::uint8_t, 3 * FullPaletteEntries>& palette) {
    std::copy_n(header.palette, 3 * HeaderPaletteEntries, palette.begin());
    if (header.planes != 1) {
        return ImageOk;
    }
    if (header.bitsPerPixel == 8) {
        std::uint8_t signature = 0;
        if (!in.Next(signature) || signature != PaletteSignature) {
            return PcxBadPaletteSignature;
        }
        for (std::uint8_t& value : palette) {
            if (!in.Next(value)) {
                return PcxCorrupted;
            }
        }
    } else if (header.bitsPerPixel == 1) {
        std::fill_n(palette.begin(), 3, 0);
        std::fill_n(palette.begin() + 3, 3, 255);
    }
    return ImageOk;
}

ImageError ReadPcx(CImageFile& file, CDibImage& image) {
    std::uint8_t headerBytes[HeaderBytes];
    if (const ImageError error = ReadExactly(file, headerBytes, HeaderBytes, PcxHeaderUnreadable)) {
        return error;
    }
    PcxHeader header;
    if (const ImageError error = ParseHeader(headerBytes, header)) {
        return error;
    }
    const std::size_t lineBytes = header.bytesPerLine * header.planes;
    const std::uint64_t expected = std::uint64_t{lineBytes} * header.height;
    // No run yields more than 63 bytes, so a file too short for the image fails before the
    // image is allocated.
    if (expected > LongestRun * static_cast<std::uint64_t>(file.Remaining())) {
        return PcxCorrupted;
    }
    const auto line = ImageBuffer<std::uint8_t>::Zeroed(lineBytes);
    const auto indexes = ImageBuffer<std::uint8_t>::Zeroed(header.width);
    if (line.Empty() || indexes.Empty() ||
        image.Create(header.width, header.height, header.depth, FORMAT_PCX) == nullptr) {
        return OutOfMemory;
    }

    ByteStream in(file);
    PcxRunDecoder runs(in, expected);
    for (std::int64_t y = 0; y < header.height; ++y) {
        if (const ImageError error = runs.Fill(line.Data(), line.Count())) {
            return error;
        }
        const std::int64_t dibRow = header.height - 1 - y;
        if (header.depth == 24) {
            StoreTrueColourRow(image, dibRow, line.Data(), header.bytesPerLine);
            continue;
        }
        const ImageError error =
            header.planes == 1
                ? PcxPackedToIndexes(indexes.Data(), line.Data(), indexes.Count(), header.planes,
                                     header.bitsPerPixel)
                : PcxPlanesToIndexes(indexes.Data(), line.Data(), header.bytesPerLine,
                                     indexes.Count(), header.planes, header.bitsPerPixel);
        if (error != ImageOk) {
            return error;
        }
        for (std::int64_t x = 0; x < header.width; ++x) {
            image.SetPixelIndex(x, dibRow, indexes[x]);
        }
    }
    if (header.depth != 24) {
        std::array<std::uint8_t, 3 * FullPaletteEntries> palette{};
        if (const ImageError error = ReadPalette(header, in, palette)) {
            return error;
        }
        image.SetPalette(palette.data(), FullPaletteEntries);
    }
    return ImageOk;
}

}  // namespace

bool CPcxImage::Decode(CImageFile* file) {
    return ReportDecode(file == nullptr ? SilentFailure : ReadPcx(*file, *this));
}

}  // namespace kestrun
