#include "games/game_history.h"

#include <gtest/gtest.h>

#include "tests/support/memory_profile_store.h"

namespace kestrun {
namespace {

using Items = std::vector<std::string>;

// A game box of plain strings that behaves as the combo box does: selecting an item shows its
// text.
struct VectorGameBox final : GameBoxModel {
    int Count() const override { return static_cast<int>(items.size()); }
    std::string ItemText(int position) const override { return items.at(position); }
    int InsertItem(int position, std::string_view value) override {
        position = position < 0 || position > Count() ? Count() : position;
        items.insert(items.begin() + position, std::string(value));
        return position;
    }
    void DeleteItem(int position) override { items.erase(items.begin() + position); }
    void SelectItem(int position) override { text = items.at(selected = position); }
    std::string Text() const override { return text; }
    void SetText(std::string_view value) override { text = value; }

    Items items;
    int selected = -1;
    std::string text;
};

// The main window's history over the given entries, RomSet0 first; an empty one is left out.
class GameHistoryTest : public ::testing::Test {
  protected:
    std::string Load(const Items& entries, const std::string& restored) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!entries[i].empty()) {
                profile_.WriteProfileString(ProfileSection, "RomSet" + std::to_string(i),
                                            entries[i]);
            }
        }
        profile_.WriteProfileString(ProfileSection, "RomSet", restored);
        return history_.LoadHistory(ProfileSection, "RomSet", true);
    }
    std::string Stored(const std::string& key) {
        return profile_.GetProfileString(ProfileSection, key, "<missing>");
    }

    testing::MemoryProfileStore profile_;
    VectorGameBox box_;
    GameHistory history_{profile_, box_};
};

// The restored text selects an entry that matches it in any case, shown in the entry's own
// case. An inserted game goes to the top trimmed, and only the first duplicate below it goes,
// compared in any case after trimming spaces.
TEST_F(GameHistoryTest, RestoredTextSelectsItsEntryAndAnInsertReplacesTheOlderEntry) {
    EXPECT_EQ(Load({"galaga", "PacMan", "dkong", "pacman"}, "pacman"), "pacman");
    EXPECT_EQ(box_.selected, 1);
    EXPECT_EQ(box_.Text(), "PacMan");
    EXPECT_EQ(history_.InsertItem(0, "  PACMAN  "), 0);
    EXPECT_EQ(box_.items, (Items{"PACMAN", "galaga", "dkong", "pacman"}));
    EXPECT_EQ(box_.selected, 0);
    history_.InsertItem(0, "\tdkong");
    EXPECT_EQ(box_.items, (Items{"\tdkong", "PACMAN", "galaga", "dkong", "pacman"}));
}

// Stale entries go up to the first gap; the text is kept as typed, blanks included.
TEST_F(GameHistoryTest, SaveWritesElevenEntriesAndDeletesStaleOnesUpToAGap) {
    Load({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "",
          "behind the gap"},
         " /games/dkong -cheat");
    EXPECT_EQ(box_.Text(), " /games/dkong -cheat");
    history_.InsertItem(0, "newest");
    box_.SetText(" pacman -cheat ");
    history_.SaveHistory();
    for (int i = 0; i <= 16; ++i) {
        EXPECT_EQ(Stored("RomSet" + std::to_string(i)), i == 0    ? "newest"
                                                        : i <= 10 ? std::to_string(i - 1)
                                                        : i < 16  ? "<missing>"
                                                                  : "behind the gap");
    }
    EXPECT_EQ(Stored("RomSet"), " pacman -cheat ");
}

// The box's text is kept under the given key, else the prefix, else "Last"; without
// saveCurrentText it is neither restored nor saved. Without a section the history is off.
TEST(GameHistory, TheCurrentTextIsKeptUnderItsKeyOnlyWhenAsked) {
    const struct {
        std::string_view section, prefix, currentTextKey;
        bool saveCurrentText;
        std::string key;
    } cases[] = {{ProfileSection, "RomSet", "", true, "RomSet"},
                 {ProfileSection, "RomSet", "Game", true, "Game"},
                 {ProfileSection, "", "", true, "Last"},
                 {ProfileSection, "", "Game", true, "Game"},
                 {ProfileSection, "RomSet", "", false, "RomSet"},
                 {"", "RomSet", "", true, "RomSet"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + " " + c.key);
        testing::MemoryProfileStore profile;
        VectorGameBox box;
        profile.WriteProfileString(ProfileSection, c.key, "pacman");
        const bool on = c.saveCurrentText && !c.section.empty();
        GameHistory history(profile, box);
        EXPECT_EQ(history.LoadHistory(c.section, c.prefix, c.saveCurrentText, c.currentTextKey),
                  on ? "pacman" : "");
        history.InsertItem(0, "galaga");
        history.InsertItem(0, " galaga ");
        box.SetText("closing");
        history.SaveHistory();
        EXPECT_EQ(profile.GetProfileString(ProfileSection, c.key, ""), on ? "closing" : "pacman");
        EXPECT_EQ(box.items.size(), c.section.empty() ? 2u : 1u);
    }
}

}  // namespace
}  // namespace kestrun
