#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrun {

// Turn one decoded PCX row (all its planes one after another, bytesPerLine bytes each) into one
// palette index byte per pixel. out needs room for 8 x bytesPerLine indexes.

// A single plane of 1, 2, 4 or 8-bit pixels, the leftmost pixel in the highest bits.
void PcxPackedToIndexes(std::uint8_t* out, const std::uint8_t* in, std::size_t bytesPerLine,
                        int planes, int bitsPerPixel);

// Up to 4 planes of 1-bit pixels: plane p gives bit p of each index.
void PcxPlanesToIndexes(std::uint8_t* out, const std::uint8_t* in, std::size_t bytesPerLine,
                        int planes, int bitsPerPixel);

}  // namespace kestrun
