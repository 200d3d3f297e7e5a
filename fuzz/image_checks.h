#pragma once

#include <cstddef>
#include <cstdint>

#include "image/dib_image.h"

namespace kestrun {

// Checks the layout a decoded image claims and reads the ends of its buffers, so that the
// sanitizers see a buffer shorter than its header says; stops the run on a broken invariant.
inline void CheckDecodedImage(const CDibImage& image) {
    if (image.IsEmpty()) {
        return;
    }
    const std::uint16_t bits = image.GetBitCount();
    const std::size_t paletteBytes = bits == 24 ? 0 : std::size_t{4} << bits;
    const std::size_t pixelBytes = std::size_t{image.GetRowBytes()} * image.GetHeight();
    if ((bits != 1 && bits != 4 && bits != 8 && bits != 24) || image.GetWidth() <= 0 ||
        image.GetHeight() <= 0 || image.GetPaletteSize() != paletteBytes ||
        image.GetSize() != 40 + paletteBytes + pixelBytes ||
        image.GetBits() != image.GetDibBlock() + 40 + paletteBytes) {
        __builtin_trap();
    }
    // The ends of the block and of the plane: enough for the sanitizers to see one that is
    // shorter than the header says, and cheap for the huge blank images that a few run-length
    // bytes can describe.
    const std::uint8_t* block = image.GetDibBlock();
    unsigned sum = block[0] + block[image.GetSize() - 1];
    if (image.HasAlphaPlane()) {
        const std::size_t alphaBytes = std::size_t(image.GetWidth()) * image.GetHeight();
        sum += image.GetAlphaPlane()[0] + image.GetAlphaPlane()[alphaBytes - 1];
    }
    // Keeps the reads from being optimised away.
    asm volatile("" : : "r"(sum));
}

}  // namespace kestrun
