#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "games/game_names.h"

namespace kestrun {

// Finds the sets of a ROM folder by what the user types: set names and full names, folded to
// lower case once when the index is built so that a keystroke only scans.
class GameSearchIndex {
  public:
    static constexpr std::size_t RowLimit = 50;

    // setNames: the folder's set names in list order; names may know none of them.
    GameSearchIndex(const std::vector<std::string_view>& setNames, const GameNames& names);

    // Positions in the set list of the matches, best first: sets whose name starts with the
    // text, then those with a word of the full name starting with it, then those holding it
    // anywhere; list order within each group; letter case ignored; at most limit rows. An empty
    // text matches nothing.
    std::vector<std::size_t> Search(std::string_view typed, std::size_t limit = RowLimit) const;

  private:
    struct Entry {
        std::uint32_t offset;
        std::uint32_t nameLength;
        std::uint32_t fullNameLength;
    };
    std::string folded_;
    std::vector<Entry> entries_;
};

}  // namespace kestrun
