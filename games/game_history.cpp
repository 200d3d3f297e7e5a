#include "games/game_history.h"

#include <algorithm>

#include "games/ascii_case.h"
#include "platform/text_trim.h"

namespace kestrun {
namespace {

constexpr int NotFound = -1;
// Stale entries are looked for no further than this key number.
constexpr int LastStaleKey = 999;

// The item whose text equals text in any letter case. From a start position the search looks
// at the items after it, then from the top, and ends with the start position itself; from -1
// it looks from the top.
int FindStringExact(const GameBoxModel& box, int start, std::string_view text) {
    const int count = box.Count();
    if (count == 0) {
        return NotFound;
    }
    const int first = start >= 0 && start < count ? start + 1 : 0;
    for (int step = 0; step < count; ++step) {
        const int position = (first + step) % count;
        if (EqualsIgnoringCase(box.ItemText(position), text)) {
            return position;
        }
    }
    return NotFound;
}

}  // namespace

int GameHistory::InsertItem(int position, std::string_view text) {
    if (!IsOn()) {
        return box_.InsertItem(position, text);
    }
    const std::string_view trimmed = Trim(text, blanks::Spaces);
    const int inserted = box_.InsertItem(0, trimmed);
    const int duplicate = FindStringExact(box_, inserted, trimmed);
    if (duplicate != NotFound && duplicate != inserted) {
        box_.DeleteItem(duplicate);
    }
    box_.SelectItem(inserted);
    return inserted;
}

std::string GameHistory::LoadHistory(std::string_view section, std::string_view keyPrefix,
                                     bool saveCurrentText, std::string_view currentTextKey) {
    if (section.empty()) {
        return {};
    }
    section_ = section;
    keyPrefix_ = keyPrefix;
    saveCurrentText_ = saveCurrentText;
    currentTextKey_ = currentTextKey;

    for (int i = 0;; ++i) {
        const std::string entry = profile_.GetProfileString(section_, EntryKey(i), {});
        if (entry.empty()) {
            break;
        }
        box_.InsertItem(i, entry);
    }

    if (!saveCurrentText_) {
        return {};
    }
    std::string current = profile_.GetProfileString(section_, CurrentTextKey(), {});
    if (!current.empty()) {
        const int match = FindStringExact(box_, NotFound, current);
        if (match != NotFound) {
            box_.SelectItem(match);
        } else {
            box_.SetText(current);
        }
    }
    return current;
}

void GameHistory::SaveHistory() {
    if (section_.empty()) {
        return;
    }
    const int count = std::min(box_.Count(), HistoryLimit + 1);
    for (int i = 0; i < count; ++i) {
        profile_.WriteProfileString(section_, EntryKey(i), box_.ItemText(i));
    }
    // Entries behind a gap are left alone: they are never loaded anyway.
    for (int i = count; i <= LastStaleKey; ++i) {
        const std::string key = EntryKey(i);
        if (profile_.GetProfileString(section_, key, {}).empty()) {
            break;
        }
        profile_.RemoveProfileEntry(section_, key);
    }
    if (saveCurrentText_) {
        profile_.WriteProfileString(section_, CurrentTextKey(), box_.Text());
    }
}

std::string GameHistory::EntryKey(int position) const {
    return keyPrefix_ + std::to_string(position);
}

std::string GameHistory::CurrentTextKey() const {
    if (!currentTextKey_.empty()) {
        return currentTextKey_;
    }
    return keyPrefix_.empty() ? std::string("Last") : keyPrefix_;
}

}  // namespace kestrun
