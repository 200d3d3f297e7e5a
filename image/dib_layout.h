#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kestrun {

// The most memory one decoded picture may take: its DIB block and its alpha plane together.
// Sizes read from untrusted files are checked against it before anything is allocated.
inline constexpr std::size_t MaxImageBytes = std::size_t{256} * 1024 * 1024;

// Bit depths an image can hold: at most 1 gives 1, 2 to 4 give 4, 5 to 8 give 8, above gives 24.
std::uint16_t RoundBitCount(int bitCount);

// Where everything sits in a packed DIB block of the given size and (rounded) depth.
struct DibLayout {
    std::uint16_t bitCount = 0;        // 1, 4, 8 or 24
    std::uint32_t paletteEntries = 0;  // 2, 16, 256 or 0
    std::uint32_t rowBytes = 0;        // pixel row length, padded to 4 bytes
    std::uint32_t imageBytes = 0;      // rowBytes x height
    std::size_t blockBytes = 0;        // header + palette + rows
};

// The layout of a width x height image at bitCount (rounded as above). Nothing for a zero or
// negative size, or when the block, with an alpha plane of width x height bytes when withAlpha,
// would exceed MaxImageBytes.
std::optional<DibLayout> ComputeDibLayout(std::int64_t width, std::int64_t height, int bitCount,
                                          bool withAlpha = false);

}  // namespace kestrun
