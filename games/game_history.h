#pragma once

#include <string>
#include <string_view>

#include "games/game_box_model.h"
#include "platform/profile_store.h"

namespace kestrun {

// The history of the game box: games started, newest at the top, kept in the profile under
// numbered keys (prefix + "0", prefix + "1", ...), plus the box's text at close. The history
// is off until LoadHistory has set a section.
class GameHistory {
  public:
    // Saving writes at most this many entries plus one.
    static constexpr int HistoryLimit = 10;

    GameHistory(ProfileStore& profile, GameBoxModel& box) : profile_(profile), box_(box) {}

    // With the history on: the text trimmed of blanks goes to the top, and one older entry
    // with the same text in any letter case is removed. With it off: inserted unchanged at
    // position. Returns the new item's position.
    int InsertItem(int position, std::string_view text);

    // Loads the entries up to the first empty one and, when saveCurrentText is set, restores
    // the box's text. Returns that text (empty when none). An empty section leaves the history
    // off and changes nothing. An empty currentTextKey means the prefix, or "Last" without one.
    std::string LoadHistory(std::string_view section, std::string_view keyPrefix,
                            bool saveCurrentText, std::string_view currentTextKey = {});

    // Writes the top entries, deletes the stale ones behind them up to the first missing key,
    // and writes the box's text as it stands.
    void SaveHistory();

  private:
    bool IsOn() const { return !section_.empty() && !keyPrefix_.empty(); }
    std::string EntryKey(int position) const;
    std::string CurrentTextKey() const;

    ProfileStore& profile_;
    GameBoxModel& box_;
    std::string section_;
    std::string keyPrefix_;
    std::string currentTextKey_;
    bool saveCurrentText_ = true;
};

}  // namespace kestrun
