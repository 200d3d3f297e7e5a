#include "image/image_error.h"

#include <cstddef>
#include <iterator>
#include <utility>

namespace kestrun {

namespace {

constexpr std::pair<ImageError, const char*> Texts[] = {
    {ImageOk, ""},
    {SilentFailure, ""},
    {UnsupportedFormat, "Unsupported operation for this format"},
    {OutOfMemory, "Can't allocate memory"},
    {DeviceBitmapFailed, "GetDIBits failed"},
    {PngStructureFailed, "Failed to create PNG structure"},
    {PngInfoFailed, "Failed to initialize PNG info structure"},
    {PngReadFailed, "Error reading PNG file"},
    {BmpTooShort, "Not a BMP"},
    {BmpInfoUnreadable, "Error reading BMP info"},
    {BmpCompressionNotSupported, "compression type not supported"},
    {BmpUnknownCompression, "unknown compression"},
    {BmpRowsOutOfMemory, "can't allocate memory"},
    {BmpBitCountNotSupported, "Unsupported BMP bit count"},
    {BmpBadSize, "Bad BMP image size"},
    {BmpDataUnreadable, "Error reading BMP data"},
    {PcxHeaderUnreadable, "Can't read PCX image"},
    {PcxNotAPcx, "Error: Not a PCX file"},
    {PcxUnknownEncoding, "PCX file has unknown encoding scheme"},
    {PcxMoreThanFourPlanes, "Can't handle image with more than 4 planes"},
    {PcxBitsAndPlanesNotSupported, "Can't handle bits per pixel image with planes."},
    {PcxBadSize, "Bad PCX image size"},
    {PcxCorrupted, "corrupted PCX"},
    {PcxRunPastTheEnd, "repeat count spans end of image"},
    {PcxBadPaletteSignature, "bad color map signature"},
    {PcxPlanarMoreThanFourPlanes, "Can't handle more than 4 planes"},
    {PcxPlanarMoreThanOneBit, "Can't handle more than 1 bit per pixel"},
    {PcxPackedMoreThanOnePlane, "Can't handle packed pixels with more than 1 plane."},
};

// The table lists every error once, in the enumeration's order, so that an error is its index.
constexpr bool InEnumerationOrder() {
    for (std::size_t i = 0; i < std::size(Texts); ++i) {
        if (Texts[i].first != i) {
            return false;
        }
    }
    return std::size(Texts) == PcxPackedMoreThanOnePlane + 1;
}
static_assert(InEnumerationOrder());

}  // namespace

const char* ImageErrorText(ImageError error) {
    return error < std::size(Texts) ? Texts[error].second : "";
}

}  // namespace kestrun
