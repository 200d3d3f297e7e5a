#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kestrun {

// Lookups over the option key tables, usable at compile time so that every order list can be
// checked against its table before the program runs.
// The position of the key in the table, or the table's size when it is not there.
template <typename Entry, std::size_t Size>
constexpr std::size_t IndexOfKey(const std::array<Entry, Size>& table, std::string_view key) {
    std::size_t index = 0;
    while (index < Size && table[index].key != key) {
        ++index;
    }
    return index;
}

template <typename Entry, std::size_t Size, std::size_t OrderSize>
constexpr bool NamesKnownKeysOnce(const std::array<Entry, Size>& table,
                                  const std::array<std::string_view, OrderSize>& order) {
    for (std::size_t i = 0; i < OrderSize; ++i) {
        if (IndexOfKey(table, order[i]) == Size) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (order[j] == order[i]) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace kestrun
