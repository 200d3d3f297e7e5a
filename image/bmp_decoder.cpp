#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "image/bmp_rle.h"
#include "image/decoder_io.h"
#include "image/decoders.h"
#include "image/dib_layout.h"
#include "image/image_buffer.h"

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

// One colour channel of a 16-bit pixel, widened to 8 bits.
class ChannelMask {
  public:
    explicit ChannelMask(std::uint32_t mask)
        : mask_(mask),
          shift_(mask == 0 ? 0 : std::countr_zero(mask)),
          bits_(std::bit_width(mask >> shift_)) {}

    std::uint8_t Extract(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & mask_) >> shift_;
        return static_cast<std::uint8_t>(bits_ <= 8 ? value << (8 - bits_) : value >> (bits_ - 8));
    }

  private:
    std::uint32_t mask_;
    int shift_;
    int bits_;
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
ImageError CheckBitsAndCompression(int bits, std::uint32_t compression, bool topDown) {
    if (IsPaletteDepth(bits)) {
        // Run-length data is always stored bottom-up.
        if (compression > BiRle4 || (topDown && compression != BiRgb)) {
            return BmpCompressionNotSupported;
        }
    } else if (bits == 24 || bits == 32) {
        if (compression != (bits == 24 ? BiRgb : BiBitFields)) {
            return BmpUnknownCompression;
        }
    } else if (bits != 16) {
        return BmpBitCountNotSupported;
    }
    return ImageOk;
}

std::int32_t DpiOf(std::int32_t pixelsPerMetre) {
    return static_cast<std::int32_t>(std::floor(pixelsPerMetre * 0.0254 + 0.5));
}

struct BmpPalette {
    std::array<RgbQuad, 256> entries{};
    std::uint32_t count = 0;
};

// Reads the palette entries the file stores: its colour count when it gives one, else the full
// palette of the depth. True-colour files have none.
ImageError ReadPalette(CImageFile& file, const BmpHeader& header, BmpPalette& palette) {
    const int bits = header.info.biBitCount;
    if (!IsPaletteDepth(bits)) {
        return ImageOk;
    }
    const std::uint32_t full = 1u << bits;
    const std::uint32_t stored = header.info.biClrUsed == 0 ? full : header.info.biClrUsed;
    const std::uint32_t entryBytes = header.core ? 3 : 4;
    if (stored > full) {
        return BmpInfoUnreadable;
    }
    std::array<std::uint8_t, 4 * 256> bytes;
    if (const ImageError error =
            ReadExactly(file, bytes.data(), stored * entryBytes, BmpInfoUnreadable)) {
        return error;
    }
    for (std::uint32_t i = 0; i < stored; ++i) {
        const std::uint8_t* entry = bytes.data() + i * entryBytes;
        palette.entries[i] = {entry[0], entry[1], entry[2],
                              header.core ? std::uint8_t{0} : entry[3]};
    }
    palette.count = stored;
    return ImageOk;
}

// Moves to the first pixel row: the file header's offset when it gives one, else past the colours
// that a true-colour file may list after its header. A file with no pixel data after that fails,
// whether its rows are stored as they are or run-length coded.
ImageError SeekToPixels(CImageFile& file, const BmpHeader& header, long pixelOffset) {
    if (pixelOffset != 0) {
        if (file.Seek(pixelOffset, SEEK_SET) != 0) {
            return BmpDataUnreadable;
        }
    } else if (!IsPaletteDepth(header.info.biBitCount)) {
        const long listed =
            static_cast<long>(std::int64_t{header.info.biClrUsed} * (header.core ? 3 : 4));
        if (listed > file.Remaining() || file.Seek(listed, SEEK_CUR) != 0) {
            return BmpDataUnreadable;
        }
    }
    return file.Remaining() > 0 ? ImageOk : BmpDataUnreadable;
}

// The DIB row that the file's row r (in file order) belongs to.
std::uint8_t* DibRowOf(CDibImage& image, std::int64_t r, bool topDown) {
    const std::int64_t row = topDown ? image.GetHeight() - 1 - r : r;
    return image.GetBits() + row * image.GetRowBytes();
}

ImageError ReadRowsAsStored(CImageFile& file, CDibImage& image, bool topDown) {
    for (std::int64_t r = 0; r < image.GetHeight(); ++r) {
        if (const ImageError error = ReadExactly(file, DibRowOf(image, r, topDown),
                                                 image.GetRowBytes(), BmpDataUnreadable)) {
            return error;
        }
    }
    return ImageOk;
}

// Rows stored with more bytes per pixel than the image keeps: each is read into a buffer of
// sourceRowBytes and turned into the image's row by convert(source, row).
template <typename Convert>
ImageError ReadConvertedRows(CImageFile& file, CDibImage& image, bool topDown,
                             std::size_t sourceRowBytes, ImageError outOfMemory, Convert convert) {
    const auto source = ImageBuffer<std::uint8_t>::Zeroed(sourceRowBytes);
    if (source.Empty()) {
        return outOfMemory;
    }
    for (std::int64_t r = 0; r < image.GetHeight(); ++r) {
        if (const ImageError error =
                ReadExactly(file, source.Data(), source.Count(), BmpDataUnreadable)) {
            return error;
        }
        convert(source.Data(), DibRowOf(image, r, topDown));
    }
    return ImageOk;
}

ImageError ReadSixteenBitRows(CImageFile& file, CDibImage& image, const BmpHeader& header,
                              bool topDown) {
    const ChannelMask red(header.masks[0]);
    const ChannelMask green(header.masks[1]);
    const ChannelMask blue(header.masks[2]);
    const std::int64_t width = image.GetWidth();
    return ReadConvertedRows(file, image, topDown, (width + 1) / 2 * 4, OutOfMemory,
                             [&](const std::uint8_t* source, std::uint8_t* out) {
                                 for (std::int64_t x = 0; x < width; ++x, out += 3) {
                                     const std::uint16_t pixel = ReadLe16(source + 2 * x);
                                     out[0] = blue.Extract(pixel);
                                     out[1] = green.Extract(pixel);
                                     out[2] = red.Extract(pixel);
                                 }
                             });
}

// The fourth byte of each pixel is dropped.
ImageError ReadThirtyTwoBitRows(CImageFile& file, CDibImage& image, bool topDown) {
    const std::int64_t width = image.GetWidth();
    return ReadConvertedRows(file, image, topDown, 4 * width, BmpRowsOutOfMemory,
                             [&](const std::uint8_t* source, std::uint8_t* out) {
                                 for (std::int64_t x = 0; x < width; ++x) {
                                     std::copy_n(source + 4 * x, 3, out + 3 * x);
                                 }
                             });
}

}  // namespace

bool CBmpImage::Decode(CImageFile* file) {
    return ReportDecode(file == nullptr ? SilentFailure : Read(*file));
}

namespace {

// The pixel data, at the file's current position, into the image made for it.
ImageError ReadPixels(CImageFile& file, CDibImage& image, const BmpHeader& header, bool runLength) {
    const BitmapInfoHeader& info = header.info;
    const bool topDown = info.biHeight < 0;
    if (runLength) {
        ByteStream in(file);
        DecodeBmpRunLength(in, image,
                           info.biCompression == BiRle8 ? BmpRunLength::Rle8 : BmpRunLength::Rle4);
        return ImageOk;
    }
    if (info.biBitCount == 16) {
        return ReadSixteenBitRows(file, image, header, topDown);
    }
    if (info.biBitCount == 32) {
        return ReadThirtyTwoBitRows(file, image, topDown);
    }
    return ReadRowsAsStored(file, image, topDown);
}

}  // namespace

ImageError CBmpImage::Read(CImageFile& file) {
    std::uint8_t fileHeader[FileHeaderBytes];
    if (const ImageError error = ReadExactly(file, fileHeader, FileHeaderBytes, BmpTooShort)) {
        return error;
    }
    long pixelOffset = 0;
    if (ReadLe16(fileHeader) == BmpFileType) {
        pixelOffset = static_cast<long>(ReadLe32(fileHeader + 10));
    } else if (file.Seek(0, SEEK_SET) != 0) {
        return BmpTooShort;
    }
    BmpHeader header;
    if (!ReadBmpInfoHeader(file, header)) {
        return BmpInfoUnreadable;
    }
    const BitmapInfoHeader& info = header.info;
    const int bits = info.biBitCount;
    const bool topDown = info.biHeight < 0;
    if (const ImageError error = CheckBitsAndCompression(bits, info.biCompression, topDown)) {
        return error;
    }
    const std::int64_t width = info.biWidth;
    const std::int64_t height = topDown ? -std::int64_t{info.biHeight} : info.biHeight;
    if (!ComputeDibLayout(width, height, bits)) {
        return BmpBadSize;
    }
    BmpPalette palette;
    if (const ImageError error = ReadPalette(file, header, palette)) {
        return error;
    }
    if (const ImageError error = SeekToPixels(file, header, pixelOffset)) {
        return error;
    }
    const bool runLength = IsPaletteDepth(bits) && info.biCompression != BiRgb;
    const std::int64_t storedRowBytes = (bits * width + 31) / 32 * 4;
    if (!runLength && storedRowBytes * height > file.Remaining()) {
        return BmpDataUnreadable;
    }

    bitmapHeader_.biXPelsPerMeter = info.biXPelsPerMeter;
    bitmapHeader_.biYPelsPerMeter = info.biYPelsPerMeter;
    if (Create(width, height, bits, FORMAT_BMP) == nullptr) {
        return OutOfMemory;
    }
    attributes_.dpiX = DpiOf(info.biXPelsPerMeter);
    attributes_.dpiY = DpiOf(info.biYPelsPerMeter);
    SetPalette(palette.entries.data(), palette.count);

    return ReadPixels(file, *this, header, runLength);
}

}  // namespace kestrun
