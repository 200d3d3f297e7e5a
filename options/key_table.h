#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kestrun {

// Lookups over the option key tables, usable at compile time so that every order list can be
// checked against its table before the program runs.
template <typename Entry, std::size_t Size>
constexpr const Entry* FindKey(const std::array<Entry, Size>& table, std::string_view key) {
    for (const Entry& entry : table) {
        if (entry.key == key) {
            return &entry;
        }
    }
    return nullptr;
}

template <typename Entry, std::size_t Size, std::size_t OrderSize>
constexpr bool NamesKnownKeysOnce(const std::array<Entry, Size>& table,
                                  const std::array<std::string_view, OrderSize>& order) {
    for (std::size_t i = 0; i < OrderSize; ++i) {
        if (FindKey(table, order[i]) == nullptr) {
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
