#include "games/game_search.h"

#include <algorithm>
#include <array>

#include "games/ascii_case.h"

namespace kestrun {

namespace {

void AppendFolded(std::string& out, std::string_view text) {
    for (const char c : text) {
        out.push_back(static_cast<char>(ToLowerAscii(static_cast<unsigned char>(c))));
    }
}

// Bytes of UTF-8 sequences count as letters, so a word never starts inside "Attaché".
bool IsWordByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z');
}

bool HasWordStartingWith(std::string_view text, std::string_view query) {
    for (std::size_t at = text.find(query); at != std::string_view::npos;
         at = text.find(query, at + 1)) {
        if (at == 0 || !IsWordByte(text[at - 1])) {
            return true;
        }
    }
    return false;
}

}  // namespace

GameSearchIndex::GameSearchIndex(const std::vector<std::string_view>& setNames,
                                 const GameNames& names) {
    entries_.reserve(setNames.size());
    for (const std::string_view name : setNames) {
        const std::string_view fullName = names.FullNameOf(name);
        entries_.push_back({static_cast<std::uint32_t>(folded_.size()),
                            static_cast<std::uint32_t>(name.size()),
                            static_cast<std::uint32_t>(fullName.size())});
        AppendFolded(folded_, name);
        AppendFolded(folded_, fullName);
    }
}

std::vector<std::size_t> GameSearchIndex::Search(std::string_view typed, std::size_t limit) const {
    std::string query;
    AppendFolded(query, typed);
    std::array<std::vector<std::size_t>, 3> groups;
    if (query.empty() || limit == 0) {
        return {};
    }
    const std::string_view all = folded_;
    for (std::size_t i = 0; i < entries_.size() && groups[0].size() < limit; ++i) {
        const Entry& entry = entries_[i];
        const std::string_view name = all.substr(entry.offset, entry.nameLength);
        const std::string_view fullName =
            all.substr(entry.offset + entry.nameLength, entry.fullNameLength);
        std::size_t group = 0;
        if (name.starts_with(query)) {
            group = 0;
        } else if (HasWordStartingWith(fullName, query)) {
            group = 1;
        } else if (name.find(query) != std::string_view::npos ||
                   fullName.find(query) != std::string_view::npos) {
            group = 2;
        } else {
            continue;
        }
        if (groups[group].size() < limit) {
            groups[group].push_back(i);
        }
    }
    std::vector<std::size_t> rows;
    for (const auto& group : groups) {
        rows.insert(rows.end(), group.begin(), group.end());
    }
    rows.resize(std::min(rows.size(), limit));
    return rows;
}

}  // namespace kestrun
