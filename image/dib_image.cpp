#include "image/dib_image.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "image/dib_layout.h"

namespace kestrun {

namespace {

constexpr std::int32_t DefaultDpi = 72;
constexpr std::int64_t NearestStartDistance = 200000;

std::int32_t PixelsPerMetre(std::int32_t dpi) {
    const double value = std::floor(dpi * 39.37007874015748 + 0.5);
    // A resolution read from a file can be anything; keep the conversion defined.
    return static_cast<std::int32_t>(std::clamp<double>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

CDibImage::CDibImage(ImageFormat format) {
    attributes_.format = format;
    attributes_.outsideIndex = -1;
    SetXDpi(DefaultDpi);
    SetYDpi(DefaultDpi);
}

CDibImage::CDibImage(const std::string& path, ImageFormat format) : CDibImage(format) {
    Load(path, format);
}

CDibImage::~CDibImage() = default;

void CDibImage::FreeBuffers() {
    dibBlock_ = {};
    attributes_.bits = nullptr;
    alphaPlane_ = {};
}

bool CDibImage::ReportDecode(ImageError error) {
    if (error == ImageOk) {
        return true;
    }
    FreeBuffers();
    SetErrorText(ImageErrorText(error));
    return false;
}

std::uint8_t* CDibImage::Create(std::int64_t width, std::int64_t height, int bitCount,
                                ImageFormat type) {
    FreeBuffers();
    const std::optional<DibLayout> layout = ComputeDibLayout(width, height, bitCount);
    if (!layout) {
        return nullptr;
    }
    bitmapHeader_.biSize = sizeof(BitmapInfoHeader);
    bitmapHeader_.biWidth = static_cast<std::int32_t>(width);
    bitmapHeader_.biHeight = static_cast<std::int32_t>(height);
    bitmapHeader_.biPlanes = 1;
    bitmapHeader_.biBitCount = layout->bitCount;
    bitmapHeader_.biCompression = 0;
    bitmapHeader_.biSizeImage = layout->imageBytes;
    bitmapHeader_.biClrUsed = layout->paletteEntries;
    bitmapHeader_.biClrImportant = 0;
    attributes_.rowBytes = layout->rowBytes;
    attributes_.format = type;
    // Zero-filled, so that pixels a decoder skips never show whatever the memory held.
    dibBlock_ = ImageBuffer<std::uint8_t>::Zeroed(layout->blockBytes);
    if (dibBlock_.Empty()) {
        return nullptr;
    }
    std::memcpy(dibBlock_.Data(), &bitmapHeader_, sizeof(BitmapInfoHeader));
    attributes_.bits = dibBlock_.Data() + sizeof(BitmapInfoHeader) + GetPaletteSize();
    return dibBlock_.Data();
}

void CDibImage::TakeOver(CDibImage& from) {
    if (&from == this) {
        return;
    }
    bitmapHeader_ = from.bitmapHeader_;
    attributes_ = from.attributes_;
    dibBlock_ = std::move(from.dibBlock_);
    alphaPlane_ = std::move(from.alphaPlane_);
    from.bitmapHeader_ = BitmapInfoHeader{};
    from.bitmapHeader_.biSize = 0;
    from.attributes_ = ImageAttributes{};
}

void CDibImage::CopyAttributes(const CDibImage& from) {
    if (!IsEmpty() || &from == this) {
        return;
    }
    attributes_ = from.attributes_;
    // The pixel pointer belongs to from's block.
    attributes_.bits = nullptr;
    attributes_.rowBytes = 0;
}

RgbQuad* CDibImage::GetPalette() const {
    if (IsEmpty() || bitmapHeader_.biClrUsed == 0) {
        return nullptr;
    }
    return reinterpret_cast<RgbQuad*>(dibBlock_.Data() + sizeof(BitmapInfoHeader));
}

std::uint32_t CDibImage::GetPaletteSize() const {
    return IsEmpty() ? 0 : 4 * bitmapHeader_.biClrUsed;
}

std::size_t CDibImage::GetSize() const {
    if (IsEmpty()) {
        return 0;
    }
    return sizeof(BitmapInfoHeader) + GetPaletteSize() + bitmapHeader_.biSizeImage;
}

void CDibImage::SetXDpi(std::int32_t dpi) {
    attributes_.dpiX = dpi;
    bitmapHeader_.biXPelsPerMeter = PixelsPerMetre(dpi);
}

void CDibImage::SetYDpi(std::int32_t dpi) {
    attributes_.dpiY = dpi;
    bitmapHeader_.biYPelsPerMeter = PixelsPerMetre(dpi);
}

void CDibImage::SetErrorText(const char* text) {
    char* target = attributes_.errorText;
    if (text == nullptr) {
        target[0] = '\0';
        return;
    }
    const std::size_t length = strnlen(text, ErrorTextSize - 1);
    std::memcpy(target, text, length);
    target[length] = '\0';
}

void CDibImage::SetPalette(const std::uint8_t* rgbTriples, std::size_t count) {
    RgbQuad* palette = GetPalette();
    if (palette == nullptr || rgbTriples == nullptr) {
        return;
    }
    const std::size_t entries = std::min<std::size_t>(count, bitmapHeader_.biClrUsed);
    for (std::size_t i = 0; i < entries; ++i) {
        palette[i].rgbRed = rgbTriples[3 * i];
        palette[i].rgbGreen = rgbTriples[3 * i + 1];
        palette[i].rgbBlue = rgbTriples[3 * i + 2];
    }
}

void CDibImage::SetPalette(const RgbQuad* entries, std::size_t count) {
    RgbQuad* palette = GetPalette();
    if (palette == nullptr || entries == nullptr) {
        return;
    }
    std::memcpy(palette, entries, std::min<std::size_t>(count, bitmapHeader_.biClrUsed) * 4);
}

void CDibImage::SetPaletteColor(std::uint32_t index, std::uint8_t red, std::uint8_t green,
                                std::uint8_t blue, std::uint8_t alpha) {
    RgbQuad* palette = GetPalette();
    if (palette == nullptr || index >= bitmapHeader_.biClrUsed) {
        return;
    }
    palette[index] = RgbQuad{blue, green, red, alpha};
}

RgbQuad CDibImage::GetPaletteColor(std::uint32_t index) const {
    const RgbQuad* palette = GetPalette();
    if (palette == nullptr || index >= bitmapHeader_.biClrUsed) {
        return RgbQuad{};
    }
    return palette[index];
}

void CDibImage::SetGreyRamp() {
    RgbQuad* palette = GetPalette();
    if (palette == nullptr) {
        return;
    }
    const std::uint32_t step = 255 / (bitmapHeader_.biClrUsed - 1);
    for (std::uint32_t j = 0; j < bitmapHeader_.biClrUsed; ++j) {
        const auto grey = static_cast<std::uint8_t>(step * j);
        palette[j].rgbBlue = grey;
        palette[j].rgbGreen = grey;
        palette[j].rgbRed = grey;
    }
}

std::uint32_t CDibImage::NearestPaletteIndex(RgbQuad color) const {
    const RgbQuad* palette = GetPalette();
    if (palette == nullptr) {
        return 0;
    }
    std::int64_t bestDistance = NearestStartDistance;
    std::uint32_t best = 0;
    for (std::uint32_t i = 0; i < bitmapHeader_.biClrUsed; ++i) {
        const std::int64_t blue = palette[i].rgbBlue - color.rgbBlue;
        const std::int64_t green = palette[i].rgbGreen - color.rgbGreen;
        const std::int64_t red = palette[i].rgbRed - color.rgbRed;
        const std::int64_t distance = blue * blue + green * green + red * red;
        if (distance == 0) {
            return i;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

bool CDibImage::ContainsPoint(std::int64_t x, std::int64_t y) const {
    return !IsEmpty() && x >= 0 && y >= 0 && x < GetWidth() && y < GetHeight();
}

std::uint8_t* CDibImage::RowAt(std::int64_t y) const {
    return attributes_.bits + static_cast<std::size_t>(y) * attributes_.rowBytes;
}

std::uint8_t CDibImage::GetPixelIndex(std::int64_t x, std::int64_t y) const {
    if (IsEmpty()) {
        return 0;
    }
    if (!ContainsPoint(x, y)) {
        return attributes_.outsideIndex == -1 ? 0
                                              : static_cast<std::uint8_t>(attributes_.outsideIndex);
    }
    const std::uint8_t* row = RowAt(y);
    switch (GetBitCount()) {
        case 8:
            return row[x];
        case 4:
            return (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
        case 1:
            return (row[x / 8] >> (7 - x % 8)) & 1;
        default:
            return 0;
    }
}

void CDibImage::SetPixelIndex(std::int64_t x, std::int64_t y, std::uint32_t index) {
    if (!ContainsPoint(x, y)) {
        return;
    }
    std::uint8_t* row = RowAt(y);
    switch (GetBitCount()) {
        case 8:
            row[x] = static_cast<std::uint8_t>(index);
            break;
        case 4: {
            const int shift = (x % 2 == 0) ? 4 : 0;
            std::uint8_t& byte = row[x / 2];
            byte = static_cast<std::uint8_t>((byte & ~(0x0F << shift)) | ((index & 0x0F) << shift));
            break;
        }
        case 1: {
            const int shift = static_cast<int>(7 - x % 8);
            std::uint8_t& byte = row[x / 8];
            byte = static_cast<std::uint8_t>((byte & ~(1 << shift)) | ((index & 1) << shift));
            break;
        }
        default:
            break;
    }
}

RgbQuad CDibImage::GetPixelColor(std::int64_t x, std::int64_t y) const {
    if (IsEmpty()) {
        return RgbQuad{};
    }
    if (!ContainsPoint(x, y)) {
        if (attributes_.outsideIndex != -1 && GetBitCount() < 24) {
            return GetPaletteColor(static_cast<std::uint32_t>(attributes_.outsideIndex));
        }
        return attributes_.outsideColor;
    }
    if (GetBitCount() < 24) {
        return GetPaletteColor(GetPixelIndex(x, y));
    }
    const std::uint8_t* pixel = RowAt(y) + 3 * x;
    return RgbQuad{pixel[0], pixel[1], pixel[2], attributes_.outsideColor.rgbReserved};
}

void CDibImage::SetPixelColor(std::int64_t x, std::int64_t y, RgbQuad color) {
    if (!ContainsPoint(x, y)) {
        return;
    }
    if (GetBitCount() < 24) {
        SetPixelIndex(x, y, NearestPaletteIndex(color));
        return;
    }
    std::uint8_t* pixel = RowAt(y) + 3 * x;
    pixel[0] = color.rgbBlue;
    pixel[1] = color.rgbGreen;
    pixel[2] = color.rgbRed;
}

void CDibImage::SetPixelColor(std::int64_t x, std::int64_t y, ColorRef color) {
    SetPixelColor(
        x, y,
        RgbQuad{static_cast<std::uint8_t>(color >> 16), static_cast<std::uint8_t>(color >> 8),
                static_cast<std::uint8_t>(color), 0});
}

void CDibImage::SwapRedBlue(std::uint8_t* row, std::size_t length) const {
    if (IsEmpty() || row == nullptr || GetBitCount() != 24) {
        return;
    }
    // Only whole pixels: a pixel starting in the last two bytes would reach past the buffer.
    const std::size_t limit = std::min<std::size_t>(length, attributes_.rowBytes);
    for (std::size_t i = 0; i + 3 <= limit; i += 3) {
        std::swap(row[i], row[i + 2]);
    }
}

bool CDibImage::CreateAlphaPlane() {
    alphaPlane_ = {};
    if (IsEmpty() || !ComputeDibLayout(GetWidth(), GetHeight(), GetBitCount(), true)) {
        return false;
    }
    alphaPlane_ =
        ImageBuffer<std::uint8_t>::Zeroed(static_cast<std::size_t>(GetWidth()) * GetHeight());
    return HasAlphaPlane();
}

void CDibImage::DeleteAlphaPlane() {
    alphaPlane_ = {};
}

void CDibImage::SetAlpha(std::int64_t x, std::int64_t y, std::uint8_t alpha) {
    if (HasAlphaPlane() && ContainsPoint(x, y)) {
        alphaPlane_[static_cast<std::size_t>(y) * GetWidth() + x] = alpha;
    }
}

std::uint8_t CDibImage::GetAlpha(std::int64_t x, std::int64_t y) const {
    if (!HasAlphaPlane() || !ContainsPoint(x, y)) {
        return 0;
    }
    return alphaPlane_[static_cast<std::size_t>(y) * GetWidth() + x];
}

}  // namespace kestrun
