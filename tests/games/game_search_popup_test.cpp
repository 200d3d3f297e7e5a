#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "games/qt_game_search_popup.h"

namespace kestrun {
namespace {

// Counts the Enter keys that get past the popup to the box, which the window takes for Start.
struct EnterWatch : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::KeyPress &&
                 static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return;
        return false;
    }
    int count = 0;
};

// Keys go to the box's edit, as a user's do; a pick lands in the box as the window puts it there.
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
            for (const char* set : {"dkong", "dkongjr", "pacman"}) {
                if (std::string(set).find(typed) != std::string::npos) {
                    rows.push_back({set, std::string(set) + " - game"});
                }
            }
            return rows;
        },
        [&](const std::string& set) {
            picked.push_back(set);
            box.setEditText(QString::fromStdString(set));
        });
    EnterWatch enter;
    box.installEventFilter(&enter);
    const auto keys = [&edit](std::initializer_list<Qt::Key> pressed) {
        for (const Qt::Key key : pressed) {
            QTest::keyClick(&edit, key);
        }
    };
    QListWidget& list = popup.List();
    QTest::keyClicks(&edit, "kong");
    ASSERT_TRUE(list.isVisible());
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(1)->text(), "dkongjr - game");
    keys({Qt::Key_Down, Qt::Key_Escape});
    EXPECT_FALSE(list.isVisible());
    QTest::keyClicks(&edit, "zz");
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(edit.text(), "kongzz");
    EXPECT_EQ(edit.selectedText(), "");

    // Enter with no row picked goes on to the box; with one, it picks. Down stops at the end.
    keys({Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Return});
    EXPECT_EQ(enter.count, 1);
    EXPECT_TRUE(picked.empty());
    keys({Qt::Key_Backspace, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(enter.count, 1);
    EXPECT_EQ(picked, std::vector<std::string>{"dkongjr"});
    EXPECT_FALSE(list.isVisible());

    edit.clear();
    QTest::keyClicks(&edit, "man");
    ASSERT_EQ(list.count(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(0)).center());
    EXPECT_EQ(picked, (std::vector<std::string>{"dkongjr", "pacman"}));
    EXPECT_FALSE(list.isVisible());
}

}  // namespace
}  // namespace kestrun
