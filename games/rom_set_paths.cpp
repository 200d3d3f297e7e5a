#include "games/rom_set_paths.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "games/ascii_case.h"

namespace kestrun {

RomSetPaths::RomSetPaths(std::string folder, std::optional<FolderStamp> stamp)
    : folder_(std::move(folder)), stamp_(stamp) {}

bool RomSetPaths::Add(std::string_view name) {
    if (starts_.size() >= MaxEntries) {
        return false;
    }
    starts_.push_back(static_cast<std::uint32_t>(names_.size()));
    names_.append(name).push_back('\0');
    return true;
}

namespace {

// A name's place in the order, as far as its first eight folded bytes decide it: they are read
// as one big-endian number, zero bytes after the name's end.
struct SortKey {
    std::uint64_t head;
    std::uint32_t start;
};

std::uint64_t HeadOf(const char* folded) {
    std::uint64_t head = 0;
    int length = 0;
    for (; length < 8 && folded[length] != '\0'; ++length) {
        head = head << 8 | static_cast<unsigned char>(folded[length]);
    }
    return length == 0 ? 0 : head << (8 * (8 - length));
}

}  // namespace

void RomSetPaths::Sort() {
    // Each name is folded once, not at every comparison, and most comparisons are decided by
    // the numbers alone.
    std::string folded(names_);
    for (char& c : folded) {
        c = static_cast<char>(ToLowerAscii(static_cast<unsigned char>(c)));
    }
    std::vector<SortKey> keys;
    keys.reserve(starts_.size());
    for (const std::uint32_t start : starts_) {
        keys.push_back({HeadOf(folded.data() + start), start});
    }
    // strcmp compares unsigned bytes, and the zero byte puts a prefix first.
    const char* foldedNames = folded.data();
    const char* names = names_.data();
    std::sort(keys.begin(), keys.end(), [=](const SortKey& a, const SortKey& b) {
        if (a.head != b.head) {
            return a.head < b.head;
        }
        const int byFolded = std::strcmp(foldedNames + a.start, foldedNames + b.start);
        return byFolded != 0 ? byFolded < 0 : std::strcmp(names + a.start, names + b.start) < 0;
    });
    for (std::size_t i = 0; i < keys.size(); ++i) {
        starts_[i] = keys[i].start;
    }
    names_.shrink_to_fit();
    starts_.shrink_to_fit();
}

std::optional<std::size_t> RomSetPaths::Find(std::string_view name) const {
    const auto first = std::lower_bound(starts_.begin(), starts_.end(), name,
                                        [this](std::uint32_t at, auto wanted) {
                                            return LessIgnoringCase(names_.data() + at, wanted);
                                        });
    std::optional<std::size_t> found;
    for (auto at = first; at != starts_.end(); ++at) {
        const std::string_view candidate = names_.data() + *at;
        if (!EqualsIgnoringCase(candidate, name)) {
            break;
        }
        if (candidate == name) {
            return at - starts_.begin();
        }
        if (!found) {
            found = at - starts_.begin();
        }
    }
    return found;
}

}  // namespace kestrun
