#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <algorithm>

#include "games/qt_game_search_popup.h"

namespace kestrun::testing {
namespace {

// Notes the Enter keys that get past the popup to the box, which the window takes for Start.
struct EnterWatch : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::KeyPress &&
                 static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return;
        return false;
    }
    int count = 0;
};

// A game box with the popup over three sets; a pick lands in the box as the window's model
// puts it there. Keys go to the box's edit, as a user's do.
class GameSearchPopupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        box.setEditable(true);
        box.show();
        popup.Attach(
            box,
            [](const std::string& typed) {
                std::vector<GameSearchRow> rows;
                std::copy_if(
                    sets.begin(), sets.end(), std::back_inserter(rows),
                    [&](const auto& row) { return row.label.find(typed) != std::string::npos; });
                return rows;
            },
            [this](const std::string& set) {
                picked.push_back(set);
                box.setEditText(QString::fromStdString(set));
            });
        box.installEventFilter(&enterWatch);
    }
    void Key(Qt::Key key) { QTest::keyClick(&Edit(), key); }
    QLineEdit& Edit() { return *box.lineEdit(); }

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

TEST_F(GameSearchPopupTest, KeysMoveThroughTheListWithoutTouchingTheText) {
    QListWidget& list = popup.List();
    QTest::keyClicks(&Edit(), "Kong");
    ASSERT_TRUE(list.isVisible());
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(1)->text(), "dkongjr - Donkey Kong Junior (US)");
    Key(Qt::Key_Down);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(list.isVisible());
    QTest::keyClicks(&Edit(), "zz");
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(Edit().text(), "Kongzz");
    EXPECT_EQ(Edit().selectedText(), "");

    // Enter with no row picked goes on to the box; with one, it picks.
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
    EXPECT_EQ(enterWatch.count, 1);
    EXPECT_TRUE(picked.empty());
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);  // stays on the last row
    Key(Qt::Key_Return);
    EXPECT_EQ(enterWatch.count, 1);
    EXPECT_EQ(picked, std::vector<std::string>{"dkongjr"});
    EXPECT_FALSE(list.isVisible());
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
