#include "image/pcx_rows.h"

#include <cstring>

namespace kestrun {

void PcxPackedToIndexes(std::uint8_t* out, const std::uint8_t* in, std::size_t bytesPerLine,
                        int planes, int bitsPerPixel) {
    if (planes > 1) {
        throw "Can't handle packed pixels with more than 1 plane.";
    }
    if (bitsPerPixel != 1 && bitsPerPixel != 2 && bitsPerPixel != 4 && bitsPerPixel != 8) {
        throw "Can't handle bits per pixel image with planes.";
    }
    const int perByte = 8 / bitsPerPixel;
    const std::uint8_t mask = static_cast<std::uint8_t>((1u << bitsPerPixel) - 1);
    for (std::size_t i = 0; i < bytesPerLine; ++i) {
        for (int k = 0; k < perByte; ++k) {
            const int shift = 8 - bitsPerPixel * (k + 1);
            *out++ = static_cast<std::uint8_t>((in[i] >> shift) & mask);
        }
    }
}

void PcxPlanesToIndexes(std::uint8_t* out, const std::uint8_t* in, std::size_t bytesPerLine,
                        int planes, int bitsPerPixel) {
    if (planes > 4) {
        throw "Can't handle more than 4 planes";
    }
    if (bitsPerPixel > 1) {
        throw "Can't handle more than 1 bit per pixel";
    }
    std::memset(out, 0, 8 * bytesPerLine);
    for (int p = 0; p < planes; ++p) {
        const std::uint8_t* plane = in + p * bytesPerLine;
        for (std::size_t i = 0; i < 8 * bytesPerLine; ++i) {
            if (plane[i / 8] & (0x80 >> (i % 8))) {
                out[i] |= static_cast<std::uint8_t>(1u << p);
            }
        }
    }
}

}  // namespace kestrun
