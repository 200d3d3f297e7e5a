#include "games/game_history.h"

#include <gtest/gtest.h>

#include "tests/games/vector_game_box.h"
#include "tests/support/memory_profile_store.h"

namespace kestrun {
namespace {

using Items = std::vector<std::string>;

class GameHistoryTest : public ::testing::Test {
  protected:
    void Store(const std::string& key, const std::string& value) {
        profile_.WriteProfileString(ProfileSection, key, value);
    }
    std::string Stored(const std::string& key) {
        return profile_.GetProfileString(ProfileSection, key, "<missing>");
    }
    // The main window's set-up of the history.
    std::string Load() { return history_.LoadHistory(ProfileSection, "RomSet", true); }

    testing::MemoryProfileStore profile_;
    testing::VectorGameBox box_;
    GameHistory history_{profile_, box_};
};

// Only the first duplicate below the top goes, compared in any case after trimming spaces.
TEST_F(GameHistoryTest, TrimmedGameGoesToTheTopAndReplacesItsOlderEntryInAnyCase) {
    Store("RomSet0", "galaga");
    Store("RomSet1", "PacMan");
    Store("RomSet2", "dkong");
    Store("RomSet3", "pacman");
    Load();
    EXPECT_EQ(history_.InsertItem(0, "  PACMAN  "), 0);
    EXPECT_EQ(box_.items, (Items{"PACMAN", "galaga", "dkong", "pacman"}));
    EXPECT_EQ(box_.selected, 0);
    EXPECT_EQ(box_.Text(), "PACMAN");
    history_.InsertItem(0, "\tdkong");
    EXPECT_EQ(box_.items, (Items{"\tdkong", "PACMAN", "galaga", "dkong", "pacman"}));
}

TEST_F(GameHistoryTest, SaveWritesElevenEntriesAndDeletesStaleOnesUpToAGap) {
    for (int i = 0; i < 15; ++i) {
        Store("RomSet" + std::to_string(i), "game" + std::to_string(i));
    }
    Store("RomSet16", "behind the gap");
    Load();
    ASSERT_EQ(box_.Count(), 15);
    history_.InsertItem(0, "newest");
    box_.SetText(" pacman -cheat ");
    history_.SaveHistory();

    EXPECT_EQ(Stored("RomSet0"), "newest");
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(Stored("RomSet" + std::to_string(i)), "game" + std::to_string(i - 1));
    }
    for (int i = 11; i <= 15; ++i) {
        EXPECT_FALSE(profile_.Has("RomSet" + std::to_string(i))) << i;
    }
    EXPECT_EQ(Stored("RomSet16"), "behind the gap");
    EXPECT_EQ(Stored("RomSet"), " pacman -cheat ");
}

// The restored text selects an entry that matches it in any case, shown in the entry's own
// case; otherwise it becomes the box text as stored, blanks included.
TEST_F(GameHistoryTest, RestoredTextSelectsAMatchingEntryOrBecomesTheBoxText) {
    const struct {
        const char* restored;
        int selected;
        const char* shown;
    } cases[] = {{"pacman", 1, "PacMan"}, {" /games/dkong -cheat", -1, " /games/dkong -cheat"}};
    for (const auto& c : cases) {
        testing::VectorGameBox box;
        GameHistory history(profile_, box);
        Store("RomSet0", "galaga");
        Store("RomSet1", "PacMan");
        Store("RomSet", c.restored);
        EXPECT_EQ(history.LoadHistory(ProfileSection, "RomSet", true), c.restored);
        EXPECT_EQ(box.selected, c.selected) << c.restored;
        EXPECT_EQ(box.Text(), c.shown);
    }
}

struct CurrentTextKeyCase {
    const char* prefix;
    const char* currentTextKey;
    const char* expectedKey;
};

TEST_F(GameHistoryTest, CurrentTextKeyIsTheGivenKeyElseThePrefixElseLast) {
    const CurrentTextKeyCase cases[] = {
        {"RomSet", "", "RomSet"},
        {"RomSet", "Game", "Game"},
        {"", "", "Last"},
        {"", "Game", "Game"},
    };
    for (const auto& c : cases) {
        testing::MemoryProfileStore profile;
        testing::VectorGameBox box;
        profile.WriteProfileString(ProfileSection, c.expectedKey, "restored");
        GameHistory history(profile, box);
        EXPECT_EQ(history.LoadHistory(ProfileSection, c.prefix, true, c.currentTextKey), "restored")
            << c.expectedKey;
        box.SetText("closing");
        history.SaveHistory();
        EXPECT_EQ(profile.GetProfileString(ProfileSection, c.expectedKey, ""), "closing");
    }
}

TEST_F(GameHistoryTest, WithoutSaveCurrentTextTheTextIsNeitherRestoredNorSaved) {
    Store("RomSet", "pacman");
    EXPECT_EQ(history_.LoadHistory(ProfileSection, "RomSet", false), "");
    EXPECT_EQ(box_.Text(), "");
    box_.SetText("galaga");
    history_.SaveHistory();
    EXPECT_EQ(Stored("RomSet"), "pacman");
}

// Without a section (or before loading) the history is off: inserts are plain.
TEST_F(GameHistoryTest, WithoutASectionTheHistoryIsOff) {
    Store("RomSet0", "pacman");
    Store("RomSet", "pacman");
    profile_.ClearLog();
    EXPECT_EQ(history_.LoadHistory("", "RomSet", true), "");
    history_.InsertItem(-1, " pacman ");
    history_.InsertItem(-1, " pacman ");
    history_.InsertItem(1, "galaga");
    history_.SaveHistory();
    EXPECT_TRUE(profile_.Reads().empty());
    EXPECT_TRUE(profile_.Writes().empty());
    EXPECT_EQ(box_.items, (Items{" pacman ", "galaga", " pacman "}));
    EXPECT_EQ(box_.selected, -1);
}

}  // namespace
}  // namespace kestrun
