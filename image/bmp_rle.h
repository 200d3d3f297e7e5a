#pragma once

#include "image/decoder_io.h"
#include "image/dib_image.h"

namespace kestrun {

enum class BmpRunLength { Rle8, Rle4 };

// Decodes Windows run-length data into the palette indexes of image (already created, rows
// zero-filled), x from the left and y from the bottom row. Pixels that fall outside the image are
// dropped; the end of the data ends the picture like an end-of-bitmap code.
void DecodeBmpRunLength(ByteStream& in, CDibImage& image, BmpRunLength kind);

}  // namespace kestrun
