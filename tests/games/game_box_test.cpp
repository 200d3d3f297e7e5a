#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "games/qt_game_combo_box.h"
#include "games/qt_game_search_popup.h"
#include "tests/support/memory_profile_store.h"

namespace kestrun {
namespace {

QStringList ItemsOf(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i) {
        items.append(box.itemText(i));
    }
    return items;
}

// The main window's game box: its editable combo box taken over, its history under RomSet0,
// RomSet1, ... (an empty entry left out) and its text under RomSet. Text is typed key by key.
class GameBoxTest : public ::testing::Test {
  protected:
    std::string Load(const std::vector<std::string>& entries, const std::string& restored) {
        box_.setEditable(true);
        gameBox_.Attach(box_);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!entries[i].empty()) {
                profile_.WriteProfileString(ProfileSection, "RomSet" + std::to_string(i),
                                            entries[i]);
            }
        }
        profile_.WriteProfileString(ProfileSection, "RomSet", restored);
        return gameBox_.LoadHistory(ProfileSection, "RomSet", true);
    }
    void Type(const char* text) {
        box_.lineEdit()->clear();
        QTest::keyClicks(box_.lineEdit(), text);
    }
    std::string Stored(const std::string& key) {
        return profile_.GetProfileString(ProfileSection, key, "<missing>");
    }

    testing::MemoryProfileStore profile_;
    QComboBox box_;
    CGameComboBox gameBox_{profile_};
};

// The restored text selects an entry that matches it in any case, shown in the entry's own
// case. A started game goes to the top trimmed, and only the first duplicate below it goes,
// compared in any case after trimming spaces.
TEST_F(GameBoxTest, RestoredTextSelectsItsEntryAndAStartedGameReplacesTheOlderEntry) {
    EXPECT_EQ(Load({"galaga", "PacMan", "dkong", "pacman"}, "pacman"), "pacman");
    EXPECT_EQ(box_.currentIndex(), 1);
    EXPECT_EQ(box_.currentText(), "PacMan");
    Type("  PACMAN  ");
    EXPECT_EQ(gameBox_.InsertItem(box_.currentText().toStdString()), 0);
    EXPECT_EQ(ItemsOf(box_), (QStringList{"PACMAN", "galaga", "dkong", "pacman"}));
    EXPECT_EQ(box_.currentIndex(), 0);
    gameBox_.InsertItem("\tdkong");
    EXPECT_EQ(ItemsOf(box_), (QStringList{"\tdkong", "PACMAN", "galaga", "dkong", "pacman"}));
}

// Stale entries go up to the first gap; the text is kept as typed, blanks included.
TEST_F(GameBoxTest, SaveWritesElevenEntriesAndDeletesStaleOnesUpToAGap) {
    Load({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "",
          "behind the gap"},
         " /games/dkong -cheat");
    EXPECT_EQ(box_.currentText(), " /games/dkong -cheat");
    gameBox_.InsertItem("newest");
    Type(" pacman -cheat ");
    gameBox_.SaveHistory();
    for (int i = 0; i <= 16; ++i) {
        EXPECT_EQ(Stored("RomSet" + std::to_string(i)), i == 0    ? "newest"
                                                        : i <= 10 ? std::to_string(i - 1)
                                                        : i < 16  ? "<missing>"
                                                                  : "behind the gap");
    }
    EXPECT_EQ(Stored("RomSet"), " pacman -cheat ");
}

// The box's text is kept under the given key, else the prefix, else "Last"; without
// saveCurrentText it is neither restored nor saved. Without a section, or a prefix for the
// entries, inserts are plain.
TEST(GameBoxHistoryTest, TheCurrentTextIsKeptUnderItsKeyOnlyWhenAsked) {
    const struct {
        std::string_view section, prefix, currentTextKey;
        bool saveCurrentText;
        std::string key;
    } cases[] = {{ProfileSection, "RomSet", "", true, "RomSet"},
                 {ProfileSection, "RomSet", "Game", true, "Game"},
                 {ProfileSection, "", "", true, "Last"},
                 {ProfileSection, "RomSet", "", false, "RomSet"},
                 {"", "RomSet", "", true, "RomSet"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + " " + c.key);
        testing::MemoryProfileStore profile;
        profile.WriteProfileString(ProfileSection, c.key, "pacman");
        QComboBox box;
        box.setEditable(true);
        CGameComboBox gameBox(profile);
        gameBox.Attach(box);
        const bool on = c.saveCurrentText && !c.section.empty();
        EXPECT_EQ(gameBox.LoadHistory(c.section, c.prefix, c.saveCurrentText, c.currentTextKey),
                  on ? "pacman" : "");
        gameBox.InsertItem("galaga");
        gameBox.InsertItem(" galaga ");
        QTest::keyClicks(box.lineEdit(), "x");
        gameBox.SaveHistory();
        EXPECT_EQ(profile.GetProfileString(ProfileSection, c.key, ""),
                  on ? box.currentText().toStdString() : "pacman");
        EXPECT_EQ(box.count(), c.section.empty() || c.prefix.empty() ? 2 : 1);
    }
}

// Keys go to the box's edit, as a user's do; a pick lands in the box as the window puts it
// there. An Enter that gets past the popup makes the box keep its text as an item, so the
// box's count tells which Enter keys the window would take for Start.
TEST(GameSearchPopupTest, KeysAndClicksMoveThroughTheListWithoutTouchingTheText) {
    QComboBox box;
    box.setEditable(true);
    box.show();
    QLineEdit& edit = *box.lineEdit();
    GameSearchPopup popup;
    std::vector<std::string> picked;
    popup.Attach(
        box,
        [](const std::string& typed) {
            std::vector<GameSearchRow> rows;
            for (const std::string set : {"dkong", "dkongjr", "pacman"}) {
                if (set.find(typed) != std::string::npos) {
                    rows.push_back({set, set + " - game"});
                }
            }
            return rows;
        },
        [&](const std::string& set) {
            picked.push_back(set);
            box.setEditText(QString::fromStdString(set));
        });
    const auto keys = [&edit](std::initializer_list<Qt::Key> pressed) {
        for (const Qt::Key key : pressed) {
            QTest::keyClick(&edit, key);
        }
    };
    QListWidget& list = popup.List();
    QTest::keyClicks(&edit, "kong");
    ASSERT_TRUE(list.isVisible());
    ASSERT_EQ(list.count(), 2);
    keys({Qt::Key_Down, Qt::Key_Escape});
    EXPECT_FALSE(list.isVisible());
    QTest::keyClicks(&edit, "zz");
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(edit.text(), "kongzz");
    EXPECT_EQ(edit.selectedText(), "");

    // Enter with no row picked goes on to the box; with one, it picks. Down stops at the end.
    keys({Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Return});
    EXPECT_EQ(box.count(), 1);
    EXPECT_TRUE(picked.empty());
    keys({Qt::Key_Backspace, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(box.count(), 1);
    EXPECT_EQ(picked, std::vector<std::string>{"dkongjr"});
    EXPECT_FALSE(list.isVisible());

    edit.clear();
    QTest::keyClicks(&edit, "man");
    ASSERT_EQ(list.count(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(0)).center());
    EXPECT_EQ(picked, (std::vector<std::string>{"dkongjr", "pacman"}));
}

}  // namespace
}  // namespace kestrun
