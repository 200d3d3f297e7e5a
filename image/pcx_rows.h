#pragma once

#include <cstddef>
#include <cstdint>

#include "image/image_error.h"

namespace kestrun {

// Turn one decoded PCX row (all its planes one after another, bytesPerLine bytes each) into one
// palette index byte for each of its first pixels pixels. Only the bytes that hold those pixels
// are read, however long the file says a row is.

// A single plane of 1, 2, 4 or 8-bit pixels, the leftmost pixel in the highest bits.
ImageError PcxPackedToIndexes(std::uint8_t* out, const std::uint8_t* in, std::size_t pixels,
                              int planes, int bitsPerPixel);

// Up to 4 planes of 1-bit pixels: plane p gives bit p of each index.
ImageError PcxPlanesToIndexes(std::uint8_t* out, const std::uint8_t* in, std::size_t bytesPerLine,
                              std::size_t pixels, int planes, int bitsPerPixel);

}  // namespace kestrun
