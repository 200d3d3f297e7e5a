#include <array>

#include "image/decoder_io.h"
#include "image/decoders.h"
#include "image/image_buffer.h"

namespace kestrun {
namespace {

constexpr std::size_t DirectoryHeaderBytes = 6;
constexpr std::size_t EntryBytes = 16;
constexpr std::uint32_t BitmapHeaderBytes = 40;
constexpr std::uint16_t IconType = 1;
constexpr std::uint8_t Opaque = 255;

// Every failure of an icon leaves the error text empty.
constexpr ImageError Unreadable = SilentFailure;

// A width or height byte of 0 stands for 256 pixels.
int EntrySide(std::uint8_t side) {
    return side == 0 ? 256 : side;
}

bool IsSupportedDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// The entries of the palette that follows the bitmap header: its colour count when it gives a
// smaller one, else the full palette of the depth.
ImageError ReadPalette(CImageFile& file, CDibImage& image, std::uint32_t colorsUsed) {
    const std::uint32_t full = image.GetPaletteSize() / 4;
    const std::uint32_t entries = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
    std::array<RgbQuad, 256> palette;
    if (const ImageError error = ReadExactly(file, palette.data(), 4 * entries, Unreadable)) {
        return error;
    }
    image.SetPalette(palette.data(), entries);
    return ImageOk;
}

// 32-bit rows: blue, green and red into the image, the fourth byte into the alpha plane.
ImageError ReadRowsWithAlpha(CImageFile& file, CDibImage& image) {
    const std::int64_t width = image.GetWidth();
    const auto source = ImageBuffer<std::uint8_t>::Zeroed(4 * width);
    if (source.Empty() || !image.CreateAlphaPlane()) {
        return Unreadable;
    }
    bool transparent = false;
    for (std::int64_t y = 0; y < image.GetHeight(); ++y) {
        if (const ImageError error = ReadExactly(file, source.Data(), source.Count(), Unreadable)) {
            return error;
        }
        std::uint8_t* out = image.GetBits() + y * image.GetRowBytes();
        for (std::int64_t x = 0; x < width; ++x) {
            const std::uint8_t* pixel = source.Data() + 4 * x;
            out[3 * x] = pixel[0];
            out[3 * x + 1] = pixel[1];
            out[3 * x + 2] = pixel[2];
            image.SetAlpha(x, y, pixel[3]);
            transparent = transparent || pixel[3] != Opaque;
        }
    }
    if (!transparent) {
        image.DeleteAlphaPlane();
    }
    return ImageOk;
}

// The transparency mask: 1 bit per pixel, a set bit for a transparent pixel.
ImageError ReadMask(CImageFile& file, CDibImage& image) {
    const std::int64_t width = image.GetWidth();
    const std::int64_t height = image.GetHeight();
    const auto stride = static_cast<std::size_t>((width + 31) / 32 * 4);
    const auto mask = ImageBuffer<std::uint8_t>::Zeroed(stride * height);
    if (mask.Empty() || !image.CreateAlphaPlane()) {
        return Unreadable;
    }
    if (const ImageError error = ReadExactly(file, mask.Data(), mask.Count(), Unreadable)) {
        return error;
    }
    bool transparent = false;
    for (std::int64_t y = 0; y < height; ++y) {
        for (std::int64_t x = 0; x < width; ++x) {
            if (mask[y * stride + x / 8] & (0x80 >> (x % 8))) {
                transparent = true;
            } else {
                image.SetAlpha(x, y, Opaque);
            }
        }
    }
    if (!transparent) {
        image.DeleteAlphaPlane();
    }
    return ImageOk;
}

// Decodes the bitmap of one directory entry, laid out as its own bitmap header says.
ImageError DecodeEntry(CImageFile& file, CDibImage& image, const std::uint8_t* entry) {
    const auto offset = static_cast<long>(ReadLe32(entry + 12));
    std::uint8_t header[BitmapHeaderBytes];
    if (file.Seek(offset, SEEK_SET) != 0 ||
        ReadExactly(file, header, BitmapHeaderBytes, Unreadable) != ImageOk) {
        return Unreadable;
    }
    const std::uint32_t headerSize = ReadLe32(header);
    const int bits = ReadLe16(header + 14);
    // PNG-coded entries and unknown layouts have no usable bitmap header.
    if (headerSize < BitmapHeaderBytes || !IsSupportedDepth(bits)) {
        return Unreadable;
    }
    const auto skipped = static_cast<long>(headerSize - BitmapHeaderBytes);
    if (skipped > file.Remaining() || file.Seek(skipped, SEEK_CUR) != 0 ||
        image.Create(EntrySide(entry[0]), EntrySide(entry[1]), bits, FORMAT_ICO) == nullptr) {
        return Unreadable;
    }
    if (const ImageError error = ReadPalette(file, image, ReadLe32(header + 32))) {
        return error;
    }
    if (bits == 32) {
        return ReadRowsWithAlpha(file, image);
    }
    const std::size_t pixelBytes = std::size_t{image.GetRowBytes()} * image.GetHeight();
    if (const ImageError error = ReadExactly(file, image.GetBits(), pixelBytes, Unreadable)) {
        return error;
    }
    return ReadMask(file, image);
}

}  // namespace

bool CIcoImage::Decode(CImageFile* file) {
    return ReportDecode(file == nullptr ? Unreadable : Read(*file));
}

ImageError CIcoImage::Read(CImageFile& file) {
    std::uint8_t directory[DirectoryHeaderBytes];
    if (ReadExactly(file, directory, DirectoryHeaderBytes, Unreadable) != ImageOk ||
        ReadLe16(directory) != 0 || ReadLe16(directory + 2) != IconType) {
        return Unreadable;
    }
    const std::uint16_t count = ReadLe16(directory + 4);
    attributes_.imageCount = count;
    const std::int32_t index = attributes_.imageIndex;
    // The whole directory must be there, though only the chosen entry is read.
    std::uint8_t entry[EntryBytes];
    if (index < 0 || index >= count || static_cast<long>(EntryBytes * count) > file.Remaining() ||
        file.Seek(static_cast<long>(EntryBytes * index), SEEK_CUR) != 0 ||
        ReadExactly(file, entry, EntryBytes, Unreadable) != ImageOk) {
        return Unreadable;
    }
    return DecodeEntry(file, *this, entry);
}

}  // namespace kestrun
