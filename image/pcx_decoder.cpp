#include <algorithm>
#include <vector>

#include "image/decoder_io.h"
#include "image/decoders.h"
#include "image/dib_layout.h"
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

constexpr const char* CorruptedText = "corrupted PCX";
constexpr const char* BadSizeText = "Bad PCX image size";

// The depth of the image made for a number of bits per pixel per plane and of planes. Only
// combinations whose indexes fit that depth are accepted.
int ImageBitCount(int bitsPerPixel, int planes) {
    if (bitsPerPixel == 1 && planes > 4) {
        throw "Can't handle image with more than 4 planes";
    }
    if (bitsPerPixel == 1 && (planes == 1 || planes == 4)) {
        return planes;
    }
    if (planes == 1 && (bitsPerPixel == 2 || bitsPerPixel == 4 || bitsPerPixel == 8)) {
        return bitsPerPixel;
    }
    if (bitsPerPixel == 8 && planes == 3) {
        return 24;
    }
    throw "Can't handle bits per pixel image with planes.";
}

// The run-length coded image data, decoded one row at a time. A run may carry over into the
// next row, but never past the end of the image.
class PcxRunDecoder {
  public:
    PcxRunDecoder(ByteStream& in, std::uint64_t expected) : m_in(in), m_expected(expected) {}

    void Fill(std::uint8_t* out, std::size_t count) {
        while (count > 0) {
            if (m_runLeft > 0) {
                const std::size_t n =
                    static_cast<std::size_t>(std::min<std::uint64_t>(m_runLeft, count));
                out = std::fill_n(out, n, m_runValue);
                m_runLeft -= n;
                count -= n;
                continue;
            }
            const std::uint8_t byte = NextByte();
            if ((byte & RunMarker) != RunMarker) {
                *out++ = byte;
                --m_expected;
                --count;
                continue;
            }
            const std::uint64_t length = byte & LongestRun;
            m_runValue = NextByte();
            if (length > m_expected) {
                throw "repeat count spans end of image";
            }
            m_runLeft = length;
            m_expected -= length;
        }
    }

  private:
    std::uint8_t NextByte() {
        std::uint8_t byte = 0;
        if (!m_in.Next(byte)) {
            throw CorruptedText;
        }
        return byte;
    }

    ByteStream& m_in;
    std::uint64_t m_expected;
    std::uint64_t m_runLeft = 0;
    std::uint8_t m_runValue = 0;
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

PcxHeader ParseHeader(const std::uint8_t* bytes) {
    if (bytes[0] != PcxManufacturer) {
        throw "Error: Not a PCX file";
    }
    if (bytes[2] != RunLengthEncoding) {
        throw "PCX file has unknown encoding scheme";
    }
    const std::int64_t xMin = ReadLe16(bytes + 4);
    const std::int64_t yMin = ReadLe16(bytes + 6);
    const std::int64_t xMax = ReadLe16(bytes + 8);
    const std::int64_t yMax = ReadLe16(bytes + 10);
    PcxHeader header;
    header.bitsPerPixel = bytes[3];
    header.planes = static_cast<std::int8_t>(bytes[65]);
    header.bytesPerLine = ReadLe16(bytes + 66);
    header.palette = bytes + 16;
    header.depth = ImageBitCount(header.bitsPerPixel, header.planes);
    if (xMax < xMin || yMax < yMin) {
        throw BadSizeText;
    }
    header.width = xMax - xMin + 1;
    header.height = yMax - yMin + 1;
    // Every plane of a row must hold all its pixels.
    if (!ComputeDibLayout(header.width, header.height, header.depth) ||
        header.bytesPerLine * 8 < static_cast<std::uint64_t>(header.width * header.bitsPerPixel)) {
        throw BadSizeText;
    }
    return header;
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
std::vector<std::uint8_t> ReadPalette(const PcxHeader& header, ByteStream& in) {
    std::vector<std::uint8_t> palette(3 * FullPaletteEntries);
    std::copy_n(header.palette, 3 * HeaderPaletteEntries, palette.begin());
    if (header.planes != 1) {
        return palette;
    }
    if (header.bitsPerPixel == 8) {
        std::uint8_t signature = 0;
        if (!in.Next(signature) || signature != PaletteSignature) {
            throw "bad color map signature";
        }
        for (std::uint8_t& value : palette) {
            if (!in.Next(value)) {
                throw CorruptedText;
            }
        }
    } else if (header.bitsPerPixel == 1) {
        std::fill_n(palette.begin(), 3, 0);
        std::fill_n(palette.begin() + 3, 3, 255);
    }
    return palette;
}

}  // namespace

bool CPcxImage::Decode(CImageFile* file) {
    if (file == nullptr) {
        return false;
    }
    return RunDecoder(*this, "Can't allocate memory", [&] {
        std::uint8_t headerBytes[HeaderBytes];
        ReadExactly(*file, headerBytes, HeaderBytes, "Can't read PCX image");
        const PcxHeader header = ParseHeader(headerBytes);
        const std::size_t lineBytes = header.bytesPerLine * header.planes;
        const std::uint64_t expected = std::uint64_t{lineBytes} * header.height;
        // No run yields more than 63 bytes, so a file too short for the image fails before the
        // image is allocated.
        if (expected > LongestRun * static_cast<std::uint64_t>(file->Remaining())) {
            throw CorruptedText;
        }
        if (Create(header.width, header.height, header.depth, FORMAT_PCX) == nullptr) {
            throw "Can't allocate memory";
        }

        std::vector<std::uint8_t> line(lineBytes);
        std::vector<std::uint8_t> indexes(8 * header.bytesPerLine);
        ByteStream in(*file);
        PcxRunDecoder runs(in, expected);
        for (std::int64_t y = 0; y < header.height; ++y) {
            runs.Fill(line.data(), line.size());
            const std::int64_t dibRow = header.height - 1 - y;
            if (header.depth == 24) {
                StoreTrueColourRow(*this, dibRow, line.data(), header.bytesPerLine);
                continue;
            }
            if (header.planes == 1) {
                PcxPackedToIndexes(indexes.data(), line.data(), header.bytesPerLine, header.planes,
                                   header.bitsPerPixel);
            } else {
                PcxPlanesToIndexes(indexes.data(), line.data(), header.bytesPerLine, header.planes,
                                   header.bitsPerPixel);
            }
            for (std::int64_t x = 0; x < header.width; ++x) {
                SetPixelIndex(x, dibRow, indexes[x]);
            }
        }
        if (header.depth != 24) {
            const std::vector<std::uint8_t> palette = ReadPalette(header, in);
            SetPalette(palette.data(), FullPaletteEntries);
        }
    });
}

}  // namespace kestrun
