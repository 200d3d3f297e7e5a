#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrun {

// The decoder a file is read with. Any other value is unsupported.
using ImageFormat = std::uint32_t;
inline constexpr ImageFormat FORMAT_BMP = 0;
inline constexpr ImageFormat FORMAT_PNG = 1;
inline constexpr ImageFormat FORMAT_ICO = 2;
inline constexpr ImageFormat FORMAT_PCX = 4;

// A palette entry or pixel colour as a DIB stores it.
struct RgbQuad {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;

    friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};
static_assert(sizeof(RgbQuad) == 4);

// A colour with red in the low byte, then green, then blue.
using ColorRef = std::uint32_t;

inline constexpr ColorRef MakeColorRef(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return ColorRef{red} | (ColorRef{green} << 8) | (ColorRef{blue} << 16);
}

// The 40-byte header at the start of a DIB block, little-endian as on disk.
struct BitmapInfoHeader {
    std::uint32_t biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

inline constexpr std::size_t ErrorTextSize = 256;

struct ImageAttributes {
    std::uint32_t rowBytes = 0;
    std::uint8_t* bits = nullptr;  // first pixel row inside the DIB block
    ImageFormat format = 0;
    char errorText[ErrorTextSize] = {};
    std::int32_t outsideIndex = 0;  // palette index of the background; -1 for none
    RgbQuad outsideColor;           // read outside a true-colour image
    std::int32_t imageIndex = 0;    // which image of a multi-image file to load
    std::int32_t imageCount = 0;    // images found in the last multi-image file
    std::int32_t dpiX = 0;
    std::int32_t dpiY = 0;
};

}  // namespace kestrun
