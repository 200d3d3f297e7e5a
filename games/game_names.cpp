#include "games/game_names.h"

#include <algorithm>
#include <limits>

#include "games/ascii_case.h"

namespace kestrun {

namespace {

constexpr std::string_view HeaderStart = "Name:";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

GameNames GameNames::Parse(std::string_view listing) {
    GameNames names;
    // Offsets are 32 bits wide; a listing that large is not MAME's.
    if (listing.size() > std::numeric_limits<std::uint32_t>::max()) {
        return names;
    }
    names.text_.assign(listing);
    const std::string_view text = names.text_;
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        const std::size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            break;
        }
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        const std::size_t nameEnd = std::min(line.find_first_of(" \t"), line.size());
        std::size_t quote = nameEnd;
        while (quote < line.size() && IsBlank(line[quote])) {
            ++quote;
        }
        const std::size_t lastQuote = line.rfind('"');
        const bool wellFormed = nameEnd > 0 && quote < line.size() && line[quote] == '"' &&
                                lastQuote > quote && !line.starts_with(HeaderStart);
        const std::size_t fullNameLength = wellFormed ? lastQuote - quote - 1 : 0;
        if (wellFormed && nameEnd <= std::numeric_limits<std::uint16_t>::max() &&
            fullNameLength <= std::numeric_limits<std::uint16_t>::max()) {
            names.entries_.push_back({static_cast<std::uint32_t>(lineStart),
                                      static_cast<std::uint32_t>(lineStart + quote + 1),
                                      static_cast<std::uint16_t>(nameEnd),
                                      static_cast<std::uint16_t>(fullNameLength)});
        }
        lineStart = lineEnd + 1;
    }
    // MAME lists its systems sorted already; only another order pays for a sort.
    const auto byName = [&names](const Entry& a, const Entry& b) {
        return LessIgnoringCase(names.NameOf(a), names.NameOf(b));
    };
    if (!std::is_sorted(names.entries_.begin(), names.entries_.end(), byName)) {
        std::sort(names.entries_.begin(), names.entries_.end(), byName);
    }
    return names;
}

std::string_view GameNames::NameOf(const Entry& entry) const {
    return std::string_view(text_).substr(entry.nameOffset, entry.nameLength);
}

std::string_view GameNames::FullNameOf(std::string_view setName) const {
    const auto found = std::lower_bound(entries_.begin(), entries_.end(), setName,
                                        [this](const Entry& entry, std::string_view name) {
                                            return LessIgnoringCase(NameOf(entry), name);
                                        });
    if (found == entries_.end() || !EqualsIgnoringCase(NameOf(*found), setName)) {
        return {};
    }
    return std::string_view(text_).substr(found->fullNameOffset, found->fullNameLength);
}

}  // namespace kestrun
