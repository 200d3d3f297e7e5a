#pragma once

#include <cstdint>

namespace kestrun {

// The pixels of the pictures the last input produced, which the replayer's time bound allows
// for; a fuzz target sets it for each input (0 when nothing decoded).
inline std::uint64_t& DecodedPixels() {
    static std::uint64_t pixels = 0;
    return pixels;
}

}  // namespace kestrun
