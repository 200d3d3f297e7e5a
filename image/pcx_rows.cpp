#include "image/pcx_rows.h"

namespace kestrun {

ImageError PcxPackedToIndexes(std::uint8_t* out, const std::uint8_t* in, std::size_t pixels,
                              int planes, int bitsPerPixel) {
    if (planes > 1) {
        return PcxPackedMoreThanOnePlane;
    }
    if (bitsPerPixel != 1 && bitsPerPixel != 2 && bitsPerPixel != 4 && bitsPerPixel != 8) {
        return PcxBitsAndPlanesNotSupported;
    }
    const std::size_t perByte = 8 / bitsPerPixel;
    const unsigned mask = (1u << bitsPerPixel) - 1;
    for (std::size_t i = 0; i < pixels; ++i) {
        const auto shift = static_cast<unsigned>(8 - bitsPerPixel * (i % perByte + 1));
        out[i] = static_cast<std::uint8_t>((in[i / perByte] >> shift) & mask);
    }
    return ImageOk;
}

ImageError PcxPlanesToIndexes(std::uint8_t* out, const std::uint8_t* in, std::size_t bytesPerLine,
                              std::size_t pixels, int planes, int bitsPerPixel) {
    if (planes > 4) {
        return PcxPlanarMoreThanFourPlanes;
    }
    if (bitsPerPixel > 1) {
        return PcxPlanarMoreThanOneBit;
    }
    for (std::size_t i = 0; i < pixels; ++i) {
        std::uint8_t index = 0;
        for (int p = 0; p < planes; ++p) {
            if (in[p * bytesPerLine + i / 8] & (0x80 >> (i % 8))) {
                index |= static_cast<std::uint8_t>(1u << p);
            }
        }
        out[i] = index;
    }
    return ImageOk;
}

}  // namespace kestrun
