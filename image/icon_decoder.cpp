#include <new>
#include <vector>

#include "image/decoder_io.h"
#include "image/decoders.h"

namespace kestrun {
namespace {

constexpr std::size_t DirectoryHeaderBytes = 6;
constexpr std::size_t EntryBytes = 16;
constexpr std::uint32_t BitmapHeaderBytes = 40;
constexpr std::uint16_t IconType = 1;
constexpr std::uint8_t Opaque = 255;

// A width or height byte of 0 stands for 256 pixels.
int EntrySide(std::uint8_t side) {
    return side == 0 ? 256 : side;
}

bool IsSupportedDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// The entries of the palette that follows the bitmap header: its colour count when it gives a
// smaller one, else the full palette of the depth.
bool ReadPalette(CImageFile& file, CDibImage& image, std::uint32_t colorsUsed) {
    const std::uint32_t full = image.GetPaletteSize() / 4;
    if (full == 0) {
        return true;
    }
    const std::uint32_t entries = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
    std::vector<RgbQuad> palette(entries);
    if (!ReadAll(file, palette.data(), 4 * std::size_t{entries})) {
        return false;
    }
    image.SetPalette(palette.data(), palette.size());
    return true;
}

// 32-bit rows: blue, green and red into the image, the fourth byte into the alpha plane.
bool ReadRowsWithAlpha(CImageFile& file, CDibImage& image) {
    const std::int64_t width = image.GetWidth();
    if (!image.CreateAlphaPlane()) {
        return false;
    }
    std::vector<std::uint8_t> source(4 * width);
    bool transparent = false;
    for (std::int64_t y = 0; y < image.GetHeight(); ++y) {
        if (!ReadAll(file, source.data(), source.size())) {
            return false;
        }
        std::uint8_t* out = image.GetBits() + y * image.GetRowBytes();
        for (std::int64_t x = 0; x < width; ++x) {
            const std::uint8_t* pixel = source.data() + 4 * x;
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
    return true;
}

// The transparency mask: 1 bit per pixel, a set bit for a transparent pixel.
bool ReadMask(CImageFile& file, CDibImage& image) {
    const std::int64_t width = image.GetWidth();
    const std::int64_t height = image.GetHeight();
    const std::size_t stride = static_cast<std::size_t>((width + 31) / 32 * 4);
    std::vector<std::uint8_t> mask(stride * height);
    if (!ReadAll(file, mask.data(), mask.size()) || !image.CreateAlphaPlane()) {
        return false;
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
    return true;
}

// Decodes the bitmap of one directory entry, laid out as its own bitmap header says.
bool DecodeEntry(CImageFile& file, CDibImage& image, const std::uint8_t* entry) {
    const long offset = static_cast<long>(ReadLe32(entry + 12));
    std::uint8_t header[BitmapHeaderBytes];
    if (file.Seek(offset, SEEK_SET) != 0 || !ReadAll(file, header, BitmapHeaderBytes)) {
        return false;
    }
    const std::uint32_t headerSize = ReadLe32(header);
    const int bits = ReadLe16(header + 14);
    // PNG-coded entries and unknown layouts have no usable bitmap header.
    if (headerSize < BitmapHeaderBytes || !IsSupportedDepth(bits)) {
        return false;
    }
    const long skipped = static_cast<long>(headerSize - BitmapHeaderBytes);
    if (skipped > file.Remaining() || file.Seek(skipped, SEEK_CUR) != 0) {
        return false;
    }
    if (image.Create(EntrySide(entry[0]), EntrySide(entry[1]), bits, FORMAT_ICO) == nullptr ||
        !ReadPalette(file, image, ReadLe32(header + 32))) {
        return false;
    }
    if (bits == 32) {
        return ReadRowsWithAlpha(file, image);
    }
    const std::size_t pixelBytes = std::size_t{image.GetRowBytes()} * image.GetHeight();
    return ReadAll(file, image.GetBits(), pixelBytes) && ReadMask(file, image);
}

}  // namespace

bool CIcoImage::Decode(CImageFile* file) {
    if (file == nullptr) {
        return false;
    }
    std::uint8_t directory[DirectoryHeaderBytes];
    if (!ReadAll(*file, directory, DirectoryHeaderBytes) || ReadLe16(directory) != 0 ||
        ReadLe16(directory + 2) != IconType) {
        return false;
    }
    const std::uint16_t count = ReadLe16(directory + 4);
    m_attributes.imageCount = count;
    try {
        std::vector<std::uint8_t> entries(EntryBytes * count);
        const std::int32_t index = m_attributes.imageIndex;
        if (!ReadAll(*file, entries.data(), entries.size()) || index < 0 || index >= count) {
            return false;
        }
        return DecodeEntry(*file, *this, entries.data() + EntryBytes * index);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace kestrun
