// Rescales decoded images to sizes and by methods taken from the input. The first 6 bytes choose
// the decoder, the new width and height and the method; the rest is the file.
#include <cstddef>
#include <cstdint>

#include "fuzz/decoded_pixels.h"
#include "fuzz/image_checks.h"
#include "fuzz/memory_decode.h"

namespace {

constexpr std::size_t SettingsBytes = 6;
constexpr kestrun::ImageFormat Formats[] = {kestrun::FORMAT_BMP, kestrun::FORMAT_PNG,
                                            kestrun::FORMAT_ICO, kestrun::FORMAT_PCX};
// Keeps each run quick: larger sources teach the resampling nothing new.
constexpr std::uint64_t LargestSourcePixels = 1 << 16;
constexpr std::uint32_t LargestSide = 256;

std::uint32_t SideFrom(const std::uint8_t* bytes) {
    return (bytes[0] | (bytes[1] << 8)) % (LargestSide + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < SettingsBytes) {
        return 0;
    }
    kestrun::CDibImage image;
    kestrun::DecodeMemory(data + SettingsBytes, size - SettingsBytes, Formats[data[0] % 4], image);
    const std::uint64_t sourcePixels = std::uint64_t(image.GetWidth()) * image.GetHeight();
    kestrun::DecodedPixels() = sourcePixels;
    if (image.IsEmpty() || sourcePixels > LargestSourcePixels) {
        return 0;
    }
    const std::uint32_t width = SideFrom(data + 1);
    const std::uint32_t height = SideFrom(data + 3);
    const bool hadAlpha = image.HasAlphaPlane();
    const bool rescaled = image.Rescale(width, height, (data[5] & 1) != 0);
    if (rescaled != (width != 0 && height != 0)) {
        __builtin_trap();
    }
    if (rescaled &&
        (std::uint32_t(image.GetWidth()) != width || std::uint32_t(image.GetHeight()) != height ||
         image.HasAlphaPlane() != hadAlpha)) {
        __builtin_trap();
    }
    kestrun::CheckDecodedImage(image);
    kestrun::DecodedPixels() += std::uint64_t{width} * height;
    return 0;
}
