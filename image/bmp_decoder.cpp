#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>
#include <vector>

#include "image/bmp_rle.h"
#include "image/decoder_io.h"
#include "image/decoders.h"
#include "image/dib_layout.h"

namespace kestrun {
namespace {

constexpr std::uint16_t BmpFileType = 0x4D42;  // "BM" in file order
constexpr std::size_t FileHeaderBytes = 14;
constexpr std::uint32_t CoreHeaderBytes = 12;
constexpr std::uint32_t InfoHeaderBytes = 40;
constexpr std::uint32_t HeaderWithMasksBytes = 52;  // V2 and later carry the colour masks
constexpr std::uint32_t LargestHeaderKept = 124;    // V5; anything longer is skipped

constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiRle8 = 1;
constexpr std::uint32_t BiRle4 = 2;
constexpr std::uint32_t BiBitFields = 3;

constexpr const char* DataReadError = "Error reading BMP data";

// One colour channel of a 16-bit pixel, widened to 8 bits.
class ChannelMask {
  public:
    explicit ChannelMask(std::uint32_t mask)
        : m_mask(mask),
          m_shift(mask == 0 ? 0 : std::countr_zero(mask)),
          m_bits(std::bit_width(mask >> m_shift)) {}

    std::uint8_t Extract(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & m_mask) >> m_shift;
        return static_cast<std::uint8_t>(m_bits <= 8 ? value << (8 - m_bits)
                                                     : value >> (m_bits - 8));
    }

  private:
    std::uint32_t m_mask;
    int m_shift;
    int m_bits;
};

struct BmpHeader {
    BitmapInfoHeader info;
    bool core = false;  // OS/2 header: 3-byte palette entries
    // Red, green and blue of 16-bit pixels; 5-5-5 unless the file gives bit-field masks.
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
};

// Reads the info header, skipping whatever a longer header adds after the fields used, and the
// colour masks of a bit-field file. False when it cannot be read.
bool ReadBmpInfoHeader(CImageFile& file, BmpHeader& header) {
    std::uint8_t bytes[LargestHeaderKept] = {};
    if (file.Read(bytes, 1, 4) != 4) {
        return false;
    }
    const std::uint32_t size = ReadLe32(bytes);
    BitmapInfoHeader& info = header.info;
    if (size == CoreHeaderBytes) {
        if (file.Read(bytes + 4, 1, 8) != 8) {
            return false;
        }
        info.biWidth = ReadLe16(bytes + 4);
        info.biHeight = ReadLe16(bytes + 6);
        info.biPlanes = ReadLe16(bytes + 8);
        info.biBitCount = ReadLe16(bytes + 10);
        header.core = true;
        return true;
    }
    if (size < InfoHeaderBytes) {
        return false;
    }
    const std::uint32_t kept = std::min(size, LargestHeaderKept);
    if (file.Read(bytes + 4, 1, kept - 4) != kept - 4) {
        return false;
    }
    const long skipped = static_cast<long>(size - kept);
    if (skipped > 0 && (skipped > file.Remaining() || file.Seek(skipped, SEEK_CUR) != 0)) {
        return false;
    }
    info.biWidth = static_cast<std::int32_t>(ReadLe32(bytes + 4));
    info.biHeight = static_cast<std::int32_t>(ReadLe32(bytes + 8));
    info.biPlanes = ReadLe16(bytes + 12);
    info.biBitCount = ReadLe16(bytes + 14);
    info.biCompression = ReadLe32(bytes + 16);
    info.biSizeImage = ReadLe32(bytes + 20);
    info.biXPelsPerMeter = static_cast<std::int32_t>(ReadLe32(bytes + 24));
    info.biYPelsPerMeter = static_cast<std::int32_t>(ReadLe32(bytes + 28));
    info.biClrUsed = ReadLe32(bytes + 32);
    info.biClrImportant = ReadLe32(bytes + 36);
    if (info.biCompression == BiBitFields) {
        const std::uint8_t* masks = bytes + InfoHeaderBytes;
        if (size < HeaderWithMasksBytes && file.Read(bytes + InfoHeaderBytes, 1, 12) != 12) {
            return false;
        }
        for (int channel = 0; channel < 3; ++channel) {
            header.masks[channel] = ReadLe32(masks + 4 * channel);
        }
    }
    return true;
}

bool IsPaletteDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8;
}

// Refuses what this decoder cannot turn into pixels before anything is allocated.
void CheckBitsAndCompression(int bits, std::uint32_t compression, bool topDown) {
    if (IsPaletteDepth(bits)) {
        // Run-length data is always stored bottom-up.
        if (compression > BiRle4 || (topDown && compression != BiRgb)) {
            throw "compression type not supported";
        }
    } else if (bits == 24 || bits == 32) {
        if (compression != (bits == 24 ? BiRgb : BiBitFields)) {
            throw "unknown compression";
        }
    } else if (bits != 16) {
        throw "Unsupported BMP bit count";
    }
}

std::int32_t DpiOf(std::int32_t pixelsPerMetre) {
    return static_cast<std::int32_t>(std::floor(pixelsPerMetre * 0.0254 + 0.5));
}

// Reads the palette entries the file stores: its colour count when it gives one, else the full
// palette of the depth. True-colour files have none.
std::vector<RgbQuad> ReadPalette(CImageFile& file, const BmpHeader& header) {
    const int bits = header.info.biBitCount;
    if (!IsPaletteDepth(bits)) {
        return {};
    }
    const std::uint32_t full = 1u << bits;
    const std::uint32_t stored = header.info.biClrUsed == 0 ? full : header.info.biClrUsed;
    const std::uint32_t entryBytes = header.core ? 3 : 4;
    if (stored > full) {
        throw "Error reading BMP info";
    }
    std::vector<std::uint8_t> bytes(std::size_t{stored} * entryBytes);
    ReadExactly(file, bytes.data(), bytes.size(), "Error reading BMP info");
    std::vector<RgbQuad> palette(stored);
    for (std::uint32_t i = 0; i < stored; ++i) {
        const std::uint8_t* entry = bytes.data() + std::size_t{i} * entryBytes;
        palette[i] = {entry[0], entry[1], entry[2], header.core ? std::uint8_t{0} : entry[3]};
    }
    return palette;
}

// Moves to the first pixel row: the file header's offset when it gives one, else past the colours
// that a true-colour file may list after its header.
void SeekToPixels(CImageFile& file, const BmpHeader& header, long pixelOffset) {
    if (pixelOffset != 0) {
        if (file.Seek(pixelOffset, SEEK_SET) != 0) {
            throw DataReadError;
        }
        return;
    }
    if (IsPaletteDepth(header.info.biBitCount)) {
        return;
    }
    const long listed =
        static_cast<long>(std::int64_t{header.info.biClrUsed} * (header.core ? 3 : 4));
    if (listed > file.Remaining() || file.Seek(listed, SEEK_CUR) != 0) {
        throw DataReadError;
    }
}

// The DIB row that the file's row r (in file order) belongs to.
std::int64_t DibRowOf(std::int64_t r, std::int64_t height, bool topDown) {
    return topDown ? height - 1 - r : r;
}

void ReadRowsAsStored(CImageFile& file, CDibImage& image, bool topDown) {
    const std::int64_t height = image.GetHeight();
    for (std::int64_t r = 0; r < height; ++r) {
        std::uint8_t* row = image.GetBits() + DibRowOf(r, height, topDown) * image.GetRowBytes();
        ReadExactly(file, row, image.GetRowBytes(), DataReadError);
    }
}

void ReadSixteenBitRows(CImageFile& file, CDibImage& image, const BmpHeader& header, bool topDown) {
    const ChannelMask red(header.masks[0]);
    const ChannelMask green(header.masks[1]);
    const ChannelMask blue(header.masks[2]);
    const std::int64_t width = image.GetWidth();
    const std::int64_t height = image.GetHeight();
    std::vector<std::uint8_t> source((width + 1) / 2 * 4);
    for (std::int64_t r = 0; r < height; ++r) {
        ReadExactly(file, source.data(), source.size(), DataReadError);
        std::uint8_t* out = image.GetBits() + DibRowOf(r, height, topDown) * image.GetRowBytes();
        for (std::int64_t x = 0; x < width; ++x, out += 3) {
            const std::uint16_t pixel = ReadLe16(source.data() + 2 * x);
            out[0] = blue.Extract(pixel);
            out[1] = green.Extract(pixel);
            out[2] = red.Extract(pixel);
        }
    }
}

void ReadThirtyTwoBitRows(CImageFile& file, CDibImage& image, bool topDown) {
    const std::int64_t width = image.GetWidth();
    const std::int64_t height = image.GetHeight();
    const std::size_t sourceBytes = static_cast<std::size_t>(4 * width);
    const std::unique_ptr<std::uint8_t[]> source(new (std::nothrow) std::uint8_t[sourceBytes]);
    if (!source) {
        throw "can't allocate memory";
    }
    for (std::int64_t r = 0; r < height; ++r) {
        ReadExactly(file, source.get(), sourceBytes, DataReadError);
        std::uint8_t* out = image.GetBits() + DibRowOf(r, height, topDown) * image.GetRowBytes();
        for (std::int64_t x = 0; x < width; ++x) {
            std::copy_n(source.get() + 4 * x, 3, out + 3 * x);
        }
    }
}

}  // namespace

bool CBmpImage::Decode(CImageFile* file) {
    if (file == nullptr) {
        return false;
    }
    return RunDecoder(*this, "Can't allocate memory", [&] {
        std::uint8_t fileHeader[FileHeaderBytes];
        if (file->Read(fileHeader, 1, FileHeaderBytes) != FileHeaderBytes) {
            throw "Not a BMP";
        }
        long pixelOffset = 0;
        if (ReadLe16(fileHeader) == BmpFileType) {
            pixelOffset = static_cast<long>(ReadLe32(fileHeader + 10));
        } else if (file->Seek(0, SEEK_SET) != 0) {
            throw "Not a BMP";
        }
        BmpHeader header;
        if (!ReadBmpInfoHeader(*file, header)) {
            throw "Error reading BMP info";
        }
        const BitmapInfoHeader& info = header.info;
        const int bits = info.biBitCount;
        const bool topDown = info.biHeight < 0;
        CheckBitsAndCompression(bits, info.biCompression, topDown);
        const std::int64_t width = info.biWidth;
        const std::int64_t height = topDown ? -std::int64_t{info.biHeight} : info.biHeight;
        if (!ComputeDibLayout(width, height, bits)) {
            throw "Bad BMP image size";
        }
        const std::vector<RgbQuad> palette = ReadPalette(*file, header);
        SeekToPixels(*file, header, pixelOffset);
        const bool runLength = IsPaletteDepth(bits) && info.biCompression != BiRgb;
        const std::int64_t storedRowBytes = (bits * width + 31) / 32 * 4;
        if (!runLength && storedRowBytes * height > file->Remaining()) {
            throw DataReadError;
        }

        m_bitmapHeader.biXPelsPerMeter = info.biXPelsPerMeter;
        m_bitmapHeader.biYPelsPerMeter = info.biYPelsPerMeter;
        if (Create(width, height, bits, FORMAT_BMP) == nullptr) {
            throw "Can't allocate memory";
        }
        m_attributes.dpiX = DpiOf(info.biXPelsPerMeter);
        m_attributes.dpiY = DpiOf(info.biYPelsPerMeter);
        if (!palette.empty()) {
            SetPalette(palette.data(), palette.size());
        }

        if (runLength) {
            ByteStream in(*file);
            DecodeBmpRunLength(
                in, *this, info.biCompression == BiRle8 ? BmpRunLength::Rle8 : BmpRunLength::Rle4);
        } else if (bits == 16) {
            ReadSixteenBitRows(*file, *this, header, topDown);
        } else if (bits == 32) {
            ReadThirtyTwoBitRows(*file, *this, topDown);
        } else {
            ReadRowsAsStored(*file, *this, topDown);
        }
    });
}

}  // namespace kestrun
