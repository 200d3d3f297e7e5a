#pragma once

#include <cstddef>
#include <string_view>

// Letter case as the game library sees it: only A-Z and a-z are letters, every other byte
// stands for itself. Names are compared this way wherever a user or a file system might
// have typed them in another case.
namespace kestrun {

inline constexpr unsigned char ToLowerAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Unsigned byte order after mapping A-Z to a-z; a prefix sorts before the longer text. So
// "_" (0x5F) comes before every letter and digits come before letters.
inline bool LessIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = ToLowerAscii(static_cast<unsigned char>(a[i]));
        const unsigned char y = ToLowerAscii(static_cast<unsigned char>(b[i]));
        if (x != y) {
            return x < y;
        }
    }
    return a.size() < b.size();
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToLowerAscii(static_cast<unsigned char>(a[i])) !=
            ToLowerAscii(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace kestrun
