#include "image/dib_image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

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
    m_attributes.format = format;
    m_attributes.outsideIndex = -1;
    SetXDpi(DefaultDpi);
    SetYDpi(DefaultDpi);
}

CDibImage::CDibImage(const std::string& path, ImageFormat format) : CDibImage(format) {
    Load(path, format);
}

CDibImage::~CDibImage() {
    FreeBuffers();
}

void CDibImage::FreeBuffers() {
    std::free(m_dibBlock);
    m_dibBlock = nullptr;
    m_attributes.bits = nullptr;
    DeleteAlphaPlane();
}

std::uint8_t* CDibImage::Create(std::int64_t width, std::int64_t height, int bitCount,
                                ImageFormat type) {
    FreeBuffers();
    const std::optional<DibLayout> layout = ComputeDibLayout(width, height, bitCount);
    if (!layout) {
        return nullptr;
    }
    m_bitmapHeader.biSize = sizeof(BitmapInfoHeader);
    m_bitmapHeader.biWidth = static_cast<std::int32_t>(width);
    m_bitmapHeader.biHeight = static_cast<std::int32_t>(height);
    m_bitmapHeader.biPlanes = 1;
    m_bitmapHeader.biBitCount = layout->bitCount;
    m_bitmapHeader.biCompression = 0;
    m_bitmapHeader.biSizeImage = layout->imageBytes;
    m_bitmapHeader.biClrUsed = layout->paletteEntries;
    m_bitmapHeader.biClrImportant = 0;
    m_attributes.rowBytes = layout->rowBytes;
    m_attributes.format = type;
    // Zero-filled, so that pixels a decoder skips never show whatever the memory held.
    m_dibBlock = static_cast<std::uint8_t*>(std::calloc(1, layout->blockBytes));
    if (m_dibBlock == nullptr) {
        return nullptr;
    }
    std::memcpy(m_dibBlock, &m_bitmapHeader, sizeof(BitmapInfoHeader));
    m_attributes.bits = m_dibBlock + sizeof(BitmapInfoHeader) + GetPaletteSize();
    return m_dibBlock;
}

void CDibImage::TakeOver(CDibImage& from) {
    if (&from == this) {
        return;
    }
    FreeBuffers();
    m_bitmapHeader = from.m_bitmapHeader;
    m_attributes = from.m_attributes;
    m_dibBlock = from.m_dibBlock;
    m_alphaPlane = from.m_alphaPlane;
    from.m_bitmapHeader = BitmapInfoHeader{};
    from.m_bitmapHeader.biSize = 0;
    from.m_attributes = ImageAttributes{};
    from.m_dibBlock = nullptr;
    from.m_alphaPlane = nullptr;
}

void CDibImage::CopyAttributes(const CDibImage& from) {
    if (!IsEmpty() || &from == this) {
        return;
    }
    m_attributes = from.m_attributes;
    // The pixel pointer belongs to from's block.
    m_attributes.bits = nullptr;
    m_attributes.rowBytes = 0;
}

RgbQuad* CDibImage::GetPalette() const {
    if (IsEmpty() || m_bitmapHeader.biClrUsed == 0) {
        return nullptr;
    }
    return reinterpret_cast<RgbQuad*>(m_dibBlock + sizeof(BitmapInfoHeader));
}

std::uint32_t CDibImage::GetPaletteSize() const {
    return IsEmpty() ? 0 : 4 * m_bitmapHeader.biClrUsed;
}

std::size_t CDibImage::GetSize() const {
    if (IsEmpty()) {
        return 0;
    }
    return sizeof(BitmapInfoHeader) + GetPaletteSize() + m_bitmapHeader.biSizeImage;
}

void CDibImage::SetXDpi(std::int32_t dpi) {
    m_attributes.dpiX = dpi;
    m_bitmapHeader.biXPelsPerMeter = PixelsPerMetre(dpi);
}

void CDibImage::SetYDpi(std::int32_t dpi) {
    m_attributes.dpiY = dpi;
    m_bitmapHeader.biYPelsPerMeter = PixelsPerMetre(dpi);
}

void CDibImage::SetErrorText(const char* text) {
    char* target = m_attributes.errorText;
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
    const std::size_t entries = std::min<std::size_t>(count, m_bitmapHeader.biClrUsed);
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
    std::memcpy(palette, entries, std::min<std::size_t>(count, m_bitmapHeader.biClrUsed) * 4);
}

void CDibImage::SetPaletteColor(std::uint32_t index, std::uint8_t red, std::uint8_t green,
                                std::uint8_t blue, std::uint8_t alpha) {
    RgbQuad* palette = GetPalette();
    if (palette == nullptr || index >= m_bitmapHeader.biClrUsed) {
        return;
    }
    palette[index] = RgbQuad{blue, green, red, alpha};
}

RgbQuad CDibImage::GetPaletteColor(std::uint32_t index) const {
    const RgbQuad* palette = GetPalette();
    if (palette == nullptr || index >= m_bitmapHeader.biClrUsed) {
        return RgbQuad{};
    }
    return palette[index];
}

void CDibImage::SetGreyRamp() {
    RgbQuad* palette = GetPalette();
    if (palette == nullptr) {
        return;
    }
    const std::uint32_t step = 255 / (m_bitmapHeader.biClrUsed - 1);
    for (std::uint32_t j = 0; j < m_bitmapHeader.biClrUsed; ++j) {
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
    for (std::uint32_t i = 0; i < m_bitmapHeader.biClrUsed; ++i) {
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
    return m_attributes.bits + static_cast<std::size_t>(y) * m_attributes.rowBytes;
}

std::uint8_t CDibImage::GetPixelIndex(std::int64_t x, std::int64_t y) const {
    if (IsEmpty()) {
        return 0;
    }
    if (!ContainsPoint(x, y)) {
        return m_attributes.outsideIndex == -1
                   ? 0
                   : static_cast<std::uint8_t>(m_attributes.outsideIndex);
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
        if (m_attributes.outsideIndex != -1 && GetBitCount() < 24) {
            return GetPaletteColor(static_cast<std::uint32_t>(m_attributes.outsideIndex));
        }
        return m_attributes.outsideColor;
    }
    if (GetBitCount() < 24) {
        return GetPaletteColor(GetPixelIndex(x, y));
    }
    const std::uint8_t* pixel = RowAt(y) + 3 * x;
    return RgbQuad{pixel[0], pixel[1], pixel[2], m_attributes.outsideColor.rgbReserved};
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
    const std::size_t limit = std::min<std::size_t>(length, m_attributes.rowBytes);
    for (std::size_t i = 0; i + 3 <= limit; i += 3) {
        std::swap(row[i], row[i + 2]);
    }
}

bool CDibImage::CreateAlphaPlane() {
    DeleteAlphaPlane();
    if (IsEmpty()) {
        return false;
    }
    const std::size_t pixels = static_cast<std::size_t>(GetWidth()) * GetHeight();
    if (pixels > MaxImageBytes) {
        return false;
    }
    m_alphaPlane = static_cast<std::uint8_t*>(std::calloc(1, pixels));
    return m_alphaPlane != nullptr;
}

void CDibImage::DeleteAlphaPlane() {
    std::free(m_alphaPlane);
    m_alphaPlane = nullptr;
}

void CDibImage::SetAlpha(std::int64_t x, std::int64_t y, std::uint8_t alpha) {
    if (m_alphaPlane != nullptr && ContainsPoint(x, y)) {
        m_alphaPlane[static_cast<std::size_t>(y) * GetWidth() + x] = alpha;
    }
}

std::uint8_t CDibImage::GetAlpha(std::int64_t x, std::int64_t y) const {
    if (m_alphaPlane == nullptr || !ContainsPoint(x, y)) {
        return 0;
    }
    return m_alphaPlane[static_cast<std::size_t>(y) * GetWidth() + x];
}

}  // namespace kestrun
