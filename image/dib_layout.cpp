#include "image/dib_layout.h"

namespace kestrun {

std::uint16_t RoundBitCount(int bitCount) {
    if (bitCount <= 1) {
        return 1;
    }
    if (bitCount <= 4) {
        return 4;
    }
    if (bitCount <= 8) {
        return 8;
    }
    return 24;
}

std::optional<DibLayout> ComputeDibLayout(std::int64_t width, std::int64_t height, int bitCount,
                                          bool withAlpha) {
    // Bounding both sides first keeps every product below in 64 bits.
    constexpr auto maxBytes = static_cast<std::int64_t>(MaxImageBytes);
    if (width <= 0 || height <= 0 || width > maxBytes * 8 || height > maxBytes * 8) {
        return std::nullopt;
    }
    DibLayout layout;
    layout.bitCount = RoundBitCount(bitCount);
    layout.paletteEntries = layout.bitCount == 24 ? 0 : (1u << layout.bitCount);
    const std::int64_t rowBytes = (layout.bitCount * width + 31) / 32 * 4;
    const std::int64_t alphaRowBytes = withAlpha ? width : 0;
    if (rowBytes + alphaRowBytes > maxBytes / height) {
        return std::nullopt;
    }
    const std::int64_t imageBytes = rowBytes * height;
    const std::int64_t blockBytes = 40 + 4 * std::int64_t{layout.paletteEntries} + imageBytes;
    if (blockBytes + alphaRowBytes * height > maxBytes) {
        return std::nullopt;
    }
    layout.rowBytes = static_cast<std::uint32_t>(rowBytes);
    layout.imageBytes = static_cast<std::uint32_t>(imageBytes);
    layout.blockBytes = static_cast<std::size_t>(blockBytes);
    return layout;
}

}  // namespace kestrun
