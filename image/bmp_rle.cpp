#include "image/bmp_rle.h"

#include <algorithm>
#include <cstdint>

namespace kestrun {
namespace {

enum EscapeCode : std::uint8_t { EndOfLine = 0, EndOfBitmap = 1, Delta = 2 };

// The index of pixel i of a run whose value byte (or bytes, for absolute runs) is value.
std::uint8_t RunPixel(BmpRunLength kind, std::uint8_t value, int i) {
    if (kind == BmpRunLength::Rle8) {
        return value;
    }
    return i % 2 == 0 ? value >> 4 : value & 0x0F;
}

}  // namespace

void DecodeBmpRunLength(ByteStream& in, CDibImage& image, BmpRunLength kind) {
    const std::int64_t width = image.GetWidth();
    const std::int64_t height = image.GetHeight();
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::uint8_t count = 0;
    std::uint8_t code = 0;
    while (y < height && in.Next(count) && in.Next(code)) {
        if (count > 0) {
            // Only the part of the run inside the row is drawn: the rest costs nothing.
            const std::int64_t inside = std::clamp<std::int64_t>(width - x, 0, count);
            for (int i = 0; i < inside; ++i) {
                image.SetPixelIndex(x + i, y, RunPixel(kind, code, i));
            }
            x += count;
            continue;
        }
        if (code == EndOfLine) {
            x = 0;
            ++y;
        } else if (code == EndOfBitmap) {
            return;
        } else if (code == Delta) {
            std::uint8_t dx = 0;
            std::uint8_t dy = 0;
            if (!in.Next(dx) || !in.Next(dy)) {
                return;
            }
            x += dx;
            y += dy;
        } else {
            // An absolute run of code pixels, padded to a whole number of 16-bit words.
            const int bytes = kind == BmpRunLength::Rle8 ? code : (code + 1) / 2;
            std::uint8_t value = 0;
            for (int i = 0; i < code; ++i) {
                if ((kind == BmpRunLength::Rle8 || i % 2 == 0) && !in.Next(value)) {
                    return;
                }
                image.SetPixelIndex(x++, y, RunPixel(kind, value, i));
            }
            if (bytes % 2 == 1 && !in.Next(value)) {
                return;
            }
        }
    }
}

}  // namespace kestrun
