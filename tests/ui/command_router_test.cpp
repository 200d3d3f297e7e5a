#include "ui/command_router.h"

#include <gtest/gtest.h>

#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "tests/ui/qt_application.h"
#include "tests/ui/sample_dialog.h"
#include "ui/dialog.h"

namespace kestrun {
namespace {

// The sample dialog with its menu and accelerators; it notes the commands it is given to
// receive and counts the window's close commands.
class SampleDialog : public CDialog {
  public:
    explicit SampleDialog(std::initializer_list<int> ids = {})
        : CDialog(sample::Template(), nullptr) {
        SetMenu(sample::Menu());
        LoadAccelerators(sample::Accelerators());
        for (const int id : ids) {
            Commands().OnCommand(id, [this, id] { received.push_back(id); });
        }
        testing::ShowActive(*this);
    }

    int closes = 0;
    std::vector<int> received;

  protected:
    void OnClose() override { ++closes; }
};

TEST(CommandRouterTest, ClicksMenuItemsAcceleratorsAndListsReachTheirHandlers) {
    SampleDialog dialog({sample::Run, sample::MenuRun, sample::MenuQuit});
    dialog.Commands().OnNotify(sample::List, ControlNotification::DropDown,
                               [&dialog] { dialog.received.push_back(-sample::List); });
    dialog.Item<QPushButton>(sample::Run)->click();
    QTest::keyClick(&dialog, Qt::Key_F5);
    dialog.FindMenuItem(sample::MenuRun)->trigger();
    QTest::keyClick(&dialog, Qt::Key_Q, Qt::ControlModifier);
    for (const int id : {sample::List, sample::SortedList}) {
        dialog.Item<QComboBox>(id)->showPopup();
        dialog.Item<QComboBox>(id)->hidePopup();
    }
    EXPECT_EQ(dialog.received, (std::vector<int>{sample::Run, sample::Run, sample::MenuRun,
                                                 sample::MenuQuit, -sample::List}));
    EXPECT_FALSE(dialog.OnCommand(sample::MenuAbout));

    // Enter in an editable box presses the default button and leaves the box's list alone.
    dialog.received.clear();
    auto* box = dialog.Item<QComboBox>(sample::Editable);
    box->setFocus();
    QTest::keyClicks(box, "pong");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(dialog.received, std::vector<int>{sample::Run});
    EXPECT_EQ(box->count(), 0);
    EXPECT_EQ(box->currentText(), "pong");
}

// Escape sends Cancel, which a handler may swallow and which otherwise ends the dialog; the
// window's close command is told apart from it.
TEST(CommandRouterTest, EscapeSendsCancelAndTheCloseCommandIsToldApart) {
    SampleDialog swallowing({IdCancel});
    QTest::keyClick(&swallowing, Qt::Key_Escape);
    EXPECT_EQ(swallowing.received, std::vector<int>{IdCancel});
    EXPECT_TRUE(swallowing.isVisible());

    SampleDialog standard;
    standard.close();
    EXPECT_EQ(standard.closes, 1);
    EXPECT_TRUE(standard.isVisible());
    QTest::keyClick(&standard, Qt::Key_Escape);
    EXPECT_EQ(standard.closes, 1);
    EXPECT_FALSE(standard.isVisible());
    EXPECT_EQ(standard.result(), IdCancel);
}

// Handlers set marks and texts as the menu opens. A submenu's title is offered under its first
// item's id and never changed; an item that removes itself does not end the walk. Menus from
// the first right-aligned one on stand in the bar's corner.
TEST(CommandRouterTest, UpdateHandlersChangeTheItemsAsTheMenuOpens) {
    SampleDialog dialog;
    const auto menuOf = [&dialog](int id) {
        return qobject_cast<QMenu*>(dialog.FindMenuItem(id)->parent());
    };
    EXPECT_EQ(menuOf(sample::MenuAbout)->parentWidget(),
              dialog.MenuBar()->cornerWidget(Qt::TopRightCorner));
    QMenu& file = *menuOf(sample::MenuRun);
    QAction* run = dialog.FindMenuItem(sample::MenuRun);
    QAction* quit = dialog.FindMenuItem(sample::MenuQuit);
    bool on = true;
    std::vector<int> offered;
    CommandRouter& commands = dialog.Commands();
    commands.OnUpdate(sample::MenuRun, [&on](CommandUI& item) {
        item.SetRadio(on);
        item.SetText(on ? "On" : "Off");
    });
    commands.OnUpdate(sample::MenuQuit, [&on](CommandUI& item) { item.SetCheck(!on); });
    commands.OnUpdate(sample::MenuRemovedItem, [&](CommandUI& item) {
        offered.push_back(item.CommandId());
        file.removeAction(dialog.FindMenuItem(sample::MenuRemovedItem));
    });
    commands.OnUpdate(sample::MenuMode, [&offered](CommandUI& item) {
        offered.push_back(item.CommandId());
        item.SetCheck(true);
        item.SetText("changed");
    });
    for (const bool state : {true, false}) {
        SCOPED_TRACE(state);
        on = state;
        file.popup(QPoint(0, 0));  // as the user opens it, so that the handlers run
        file.hide();
        EXPECT_EQ(run->text(), on ? "On" : "Off");
        EXPECT_EQ(run->isCheckable(), on);
        EXPECT_EQ(run->isChecked(), on);
        EXPECT_EQ(run->actionGroup() != nullptr && run->actionGroup()->isExclusive(), on);
        EXPECT_EQ(quit->isCheckable(), !on);
        EXPECT_EQ(quit->isChecked(), !on);
        EXPECT_EQ(quit->actionGroup(), nullptr);
    }
    EXPECT_EQ(offered,
              (std::vector<int>{sample::MenuRemovedItem, sample::MenuMode, sample::MenuMode}));
    const QAction* title = menuOf(sample::MenuMode)->menuAction();
    EXPECT_EQ(title->text(), "Mode");
    EXPECT_FALSE(title->isCheckable());
}

}  // namespace
}  // namespace kestrun
