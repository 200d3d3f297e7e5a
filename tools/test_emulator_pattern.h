#pragma once

#include <cstddef>
#include <string>

namespace kestrun {

// The bytes the test emulator writes when asked for a count of them, from the given index on:
// never zero (so they cannot be mistaken for the zero fill of a buffer) and repeating only
// every 251 bytes (so a tail taken from the wrong place or in the wrong order shows).
inline std::string TestEmulatorPattern(std::size_t from, std::size_t count) {
    std::string bytes(count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<char>(1 + (from + i) % 251);
    }
    return bytes;
}

}  // namespace kestrun
