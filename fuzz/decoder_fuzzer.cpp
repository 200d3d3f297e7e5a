// One decoder fed with arbitrary bytes through the format dispatch; built once per format, the
// format code given by KESTRUN_FUZZ_FORMAT.
#include <cstddef>
#include <cstdint>

#include "fuzz/decoded_pixels.h"
#include "fuzz/image_checks.h"
#include "fuzz/memory_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrun::CDibImage image;
    const bool decoded = kestrun::DecodeMemory(data, size, kestrun::KESTRUN_FUZZ_FORMAT, image);
    if (decoded == image.IsEmpty()) {
        __builtin_trap();
    }
    kestrun::CheckDecodedImage(image);
    kestrun::DecodedPixels() = std::uint64_t(image.GetWidth()) * std::uint64_t(image.GetHeight());
    return 0;
}
