#pragma once

#include <cstddef>

namespace kestrun {

// The bytes the test emulator writes when asked for a count of them: never zero (so they
// cannot be mistaken for the zero fill of a buffer) and repeating only every 251 bytes (so a
// tail taken from the wrong place or in the wrong order shows).
inline char TestEmulatorPatternByte(std::size_t index) {
    return static_cast<char>(1 + index % 251);
}

}  // namespace kestrun
