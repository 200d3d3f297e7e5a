#pragma once

#include <cstdint>

namespace kestrun {

// Why reading or converting a picture failed. Every step of a decoder returns one of these; the
// first that is not ImageOk ends the decode, and the image keeps its text (ImageErrorText) as its
// error text. Compared as a number, ImageOk is false and every failure true.
enum ImageError : std::uint8_t {
    ImageOk = 0,
    // A failure that leaves the error text empty: no file to read, or an icon that cannot be read.
    SilentFailure,
    UnsupportedFormat,
    OutOfMemory,
    DeviceBitmapFailed,
    PngStructureFailed,
    PngInfoFailed,
    PngReadFailed,
    BmpTooShort,
    BmpInfoUnreadable,
    BmpCompressionNotSupported,
    BmpUnknownCompression,
    BmpRowsOutOfMemory,
    BmpBitCountNotSupported,
    BmpBadSize,
    BmpDataUnreadable,
    PcxHeaderUnreadable,
    PcxNotAPcx,
    PcxUnknownEncoding,
    PcxMoreThanFourPlanes,
    PcxBitsAndPlanesNotSupported,
    PcxBadSize,
    PcxCorrupted,
    PcxRunPastTheEnd,
    PcxBadPaletteSignature,
    PcxPlanarMoreThanFourPlanes,
    PcxPlanarMoreThanOneBit,
    PcxPackedMoreThanOnePlane,
};

// The text that a failure leaves in the image.
const char* ImageErrorText(ImageError error);

}  // namespace kestrun
