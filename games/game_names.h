#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun {

// The full names of the systems a current MAME knows, as its `-listfull` prints them: one
// block of text and a table of offsets into it, looked up by set name.
class GameNames {
  public:
    GameNames() = default;

    // Reads `-listfull` output: a header line, then one `name  "Full name"` line per system.
    // The full name runs to the last quote of its line, since MAME prints inner quotes as they
    // are. A line of any other shape is skipped, and so is a last line without its line end,
    // which a cut-off listing leaves behind.
    static GameNames Parse(std::string_view listing);

    // The full name of a set, ignoring letter case; empty when the set is unknown.
    std::string_view FullNameOf(std::string_view setName) const;
    std::size_t Count() const { return entries_.size(); }

  private:
    struct Entry {
        std::uint32_t nameOffset;
        std::uint32_t fullNameOffset;
        std::uint16_t nameLength;
        std::uint16_t fullNameLength;
    };
    std::string_view NameOf(const Entry& entry) const;

    std::string text_;
    // Sorted by set name, ignoring case.
    std::vector<Entry> entries_;
};

}  // namespace kestrun
