#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "games/qt_game_search_popup.h"

namespace kestrun::testing {
namespace {

// A game box with the popup over three sets; picks land in the box as the window's model
// would put them there. Keys go to the box's edit, as a user's do.
class GameSearchPopupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        box.setEditable(true);
        box.show();
        popup.Attach(
            box,
            [](const std::string& typed) {
                std::vector<GameSearchRow> rows;
                for (const GameSearchRow& row : sets) {
                    if (row.label.find(typed) != std::string::npos) {
                        rows.push_back(row);
                    }
                }
                return rows;
            },
            [this](const std::string& set) {
                picked.push_back(set);
                box.setEditText(QString::fromStdString(set));
            });
        box.installEventFilter(&enterWatch);
    }
    QLineEdit& Edit() { return *box.lineEdit(); }
    QStringList Rows() {
        QStringList rows;
        for (int row = 0; row < popup.List().count(); ++row) {
            rows << popup.List().item(row)->text();
        }
        return rows;
    }

    // Notes the Enter keys that reach the box itself, which the window would take for Start.
    struct EnterWatch : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::KeyPress &&
                static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return) {
                ++count;
            }
            return false;
        }
        int count = 0;
    };

    static inline const std::vector<GameSearchRow> sets{
        {"dkong", "dkong - Donkey Kong (US set 1)"},
        {"dkongjr", "dkongjr - Donkey Kong Junior (US)"},
        {"pacman", "pacman - Pac-Man (Midway)"},
    };
    QComboBox box;
    GameSearchPopup popup;
    EnterWatch enterWatch;
    std::vector<std::string> picked;
};

TEST_F(GameSearchPopupTest, TypingListsMatchesWithoutTouchingTheText) {
    QTest::keyClicks(&Edit(), "Kong");
    EXPECT_EQ(Edit().text(), "Kong");
    EXPECT_EQ(Edit().selectedText(), "");
    EXPECT_TRUE(popup.List().isVisible());
    EXPECT_EQ(Rows(),
              QStringList({"dkong - Donkey Kong (US set 1)", "dkongjr - Donkey Kong Junior (US)"}));

    QTest::keyClick(&Edit(), Qt::Key_Down);
    EXPECT_EQ(Edit().text(), "Kong");
    QTest::keyClick(&Edit(), Qt::Key_Escape);
    EXPECT_FALSE(popup.List().isVisible());
    EXPECT_EQ(Edit().text(), "Kong");

    QTest::keyClicks(&Edit(), "zz");
    EXPECT_FALSE(popup.List().isVisible());
    EXPECT_EQ(Edit().text(), "Kongzz");
    EXPECT_TRUE(picked.empty());
}

TEST_F(GameSearchPopupTest, DownAndEnterPickTheRowAndOnlyAnUnpickedEnterReachesTheBox) {
    QTest::keyClicks(&Edit(), "Kong");
    QTest::keyClick(&Edit(), Qt::Key_Down);
    QTest::keyClick(&Edit(), Qt::Key_Down);
    QTest::keyClick(&Edit(), Qt::Key_Down);  // stays on the last row
    QTest::keyClick(&Edit(), Qt::Key_Return);
    EXPECT_EQ(picked, std::vector<std::string>{"dkongjr"});
    EXPECT_EQ(Edit().text(), "dkongjr");
    EXPECT_FALSE(popup.List().isVisible());
    EXPECT_EQ(enterWatch.count, 0);

    QTest::keyClick(&Edit(), Qt::Key_Backspace);
    ASSERT_TRUE(popup.List().isVisible());
    QTest::keyClick(&Edit(), Qt::Key_Return);
    EXPECT_EQ(picked.size(), 1u);
    EXPECT_EQ(Edit().text(), "dkongj");
    EXPECT_FALSE(popup.List().isVisible());
    EXPECT_EQ(enterWatch.count, 1);
}

TEST_F(GameSearchPopupTest, AClickPicksItsRow) {
    QTest::keyClicks(&Edit(), "man");
    QListWidget& list = popup.List();
    ASSERT_EQ(list.count(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(0)).center());
    EXPECT_EQ(picked, std::vector<std::string>{"pacman"});
    EXPECT_FALSE(list.isVisible());
}

}  // namespace
}  // namespace kestrun::testing
