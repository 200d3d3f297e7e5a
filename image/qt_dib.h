#pragma once

#include <QImage>

#include "image/dib_image.h"

namespace kestrun {

// The picture as the screen shows it: colour rows only (the alpha plane is not shown), top row
// first. A null image for an empty one. The image keeps its own buffers.
QImage ToDeviceBitmap(const CDibImage& image);

// Replaces image's pixels with bitmap's, 1 or 8 bits for indexed bitmaps, 24 for the rest, and with
// the BMP format code. A null bitmap leaves image empty. When the pixels cannot be held the error
// text becomes "GetDIBits failed" and the result is false.
bool FromDeviceBitmap(CDibImage& image, const QImage& bitmap);

}  // namespace kestrun
