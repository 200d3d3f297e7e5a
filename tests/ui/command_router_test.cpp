#include "ui/command_router.h"

#include <gtest/gtest.h>

#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "res/dialog_templates.h"
#include "res/menus.h"
#include "res/resource_ids.h"
#include "tests/ui/qt_application.h"
#include "ui/dialog.h"

namespace kestrun {
namespace {

// The main template with its menu and accelerators, as a plain dialog.
class MainTemplateDialog : public CDialog {
  public:
    MainTemplateDialog() : CDialog(MainDialogTemplate(), nullptr) {
        SetMenu(MainMenuTemplate());
        LoadAccelerators(MainAcceleratorTable());
    }
};

QMenu* ParentMenuOf(QAction* item) {
    return qobject_cast<QMenu*>(item->parent());
}

// Opens a menu the way the user does, so that its update handlers run, and closes it again.
void OpenAndClose(QMenu& menu) {
    menu.popup(QPoint(0, 0));
    menu.hide();
}

TEST(CommandRouterTest, ButtonMenuItemAndAcceleratorReachOneHandler) {
    MainTemplateDialog dialog;
    testing::ShowActive(dialog);
    std::vector<int> received;
    for (const int id : {ids::FullScreen, ids::MenuFullScreen, ids::NextGame, ids::PreviousGame,
                         ids::Browse, ids::Start, ids::MenuAdvancedOptions}) {
        dialog.Commands().OnCommand(id, [&received, id] { received.push_back(id); });
    }
    dialog.Item<QPushButton>(ids::FullScreen)->click();
    QTest::keyClick(&dialog, Qt::Key_F4);
    dialog.FindMenuItem(ids::MenuFullScreen)->trigger();
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_PageDown, Qt::NoModifier},
                                         {Qt::Key_PageUp, Qt::NoModifier},
                                         {Qt::Key_O, Qt::ControlModifier},
                                         {Qt::Key_F2, Qt::NoModifier},
                                         {Qt::Key_F8, Qt::NoModifier}}) {
        QTest::keyClick(&dialog, key, modifiers);
    }
    EXPECT_EQ(received, (std::vector<int>{ids::FullScreen, ids::FullScreen, ids::MenuFullScreen,
                                          ids::NextGame, ids::PreviousGame, ids::Browse, ids::Start,
                                          ids::MenuAdvancedOptions}));
}

TEST(CommandRouterTest, EnterInTheGameBoxPressesTheDefaultButtonOnly) {
    MainTemplateDialog dialog;
    testing::ShowActive(dialog);
    int starts = 0;
    dialog.Commands().OnCommand(ids::Start, [&starts] { ++starts; });
    auto* gameBox = dialog.Item<QComboBox>(ids::GameBox);
    gameBox->setFocus();
    QTest::keyClicks(gameBox, "pong");
    QTest::keyClick(gameBox, Qt::Key_Return);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(gameBox->count(), 0);
    EXPECT_EQ(gameBox->currentText(), "pong");
}

// Escape sends Cancel, which a handler may swallow and which otherwise ends the dialog; the
// window's close command is told apart from it.
TEST(CommandRouterTest, EscapeSendsCancelAndTheCloseCommandIsToldApart) {
    class ClosingDialog : public MainTemplateDialog {
      public:
        int closes = 0;

      protected:
        void OnClose() override { ++closes; }
    };
    ClosingDialog swallowing;
    int cancels = 0;
    swallowing.Commands().OnCommand(IdCancel, [&cancels] { ++cancels; });
    testing::ShowActive(swallowing);
    QTest::keyClick(&swallowing, Qt::Key_Escape);
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(swallowing.isVisible());

    ClosingDialog standard;
    testing::ShowActive(standard);
    standard.close();
    EXPECT_EQ(standard.closes, 1);
    EXPECT_TRUE(standard.isVisible());
    QTest::keyClick(&standard, Qt::Key_Escape);
    EXPECT_EQ(standard.closes, 1);
    EXPECT_FALSE(standard.isVisible());
    EXPECT_EQ(standard.result(), IdCancel);
}

TEST(CommandRouterTest, OpeningAListSendsItsDropDownNotification) {
    MainTemplateDialog dialog;
    testing::ShowActive(dialog);
    std::vector<int> opened;
    for (const int id : {ids::ControllerList, ids::MaskList}) {
        dialog.Commands().OnNotify(id, ControlNotification::DropDown,
                                   [&opened, id] { opened.push_back(id); });
    }
    dialog.Item<QComboBox>(ids::MaskList)->showPopup();
    dialog.Item<QComboBox>(ids::MaskList)->hidePopup();
    dialog.Item<QComboBox>(ids::ScanlinesList)->showPopup();
    dialog.Item<QComboBox>(ids::ScanlinesList)->hidePopup();
    EXPECT_EQ(opened, std::vector<int>{ids::MaskList});
}

TEST(CommandRouterTest, HelpStandsAtTheRightEndOfTheMenuBar) {
    MainTemplateDialog dialog;
    const QMenu* help = ParentMenuOf(dialog.FindMenuItem(ids::MenuAbout));
    EXPECT_EQ(help->title(), "&Help");
    EXPECT_EQ(help->parentWidget(), dialog.MenuBar()->cornerWidget(Qt::TopRightCorner));
}

TEST(CommandRouterTest, UpdateHandlersSetMarksAndTextsWhenTheMenuOpens) {
    MainTemplateDialog dialog;
    bool soundOn = true;
    bool loFi = false;
    dialog.Commands().OnUpdate(ids::MenuSoundEnabled, [&soundOn](CommandUI& item) {
        item.SetRadio(soundOn);
        item.SetText(soundOn ? "Enabled" : "Disabled");
    });
    dialog.Commands().OnUpdate(ids::MenuLoFi, [&loFi](CommandUI& item) { item.SetCheck(loFi); });
    QAction* sound = dialog.FindMenuItem(ids::MenuSoundEnabled);
    QAction* loFiItem = dialog.FindMenuItem(ids::MenuLoFi);
    QMenu& soundMenu = *ParentMenuOf(sound);

    OpenAndClose(soundMenu);
    EXPECT_TRUE(sound->isChecked());
    ASSERT_NE(sound->actionGroup(), nullptr);
    EXPECT_TRUE(sound->actionGroup()->isExclusive());
    EXPECT_FALSE(loFiItem->isCheckable());

    soundOn = false;
    loFi = true;
    OpenAndClose(soundMenu);
    EXPECT_EQ(sound->text(), "Disabled");
    EXPECT_FALSE(sound->isCheckable());
    EXPECT_TRUE(loFiItem->isChecked());
    EXPECT_EQ(loFiItem->actionGroup(), nullptr);
}

TEST(CommandRouterTest, ASubmenuTitleIsOfferedButNeverChanged) {
    MainTemplateDialog dialog;
    int offered = 0;
    dialog.Commands().OnUpdate(ids::MenuDirectDraw, [&offered](CommandUI& item) {
        ++offered;
        item.SetCheck(true);
        item.SetText("changed");
    });
    QMenu& options = *ParentMenuOf(dialog.FindMenuItem(ids::MenuFullScreen));
    OpenAndClose(options);
    EXPECT_EQ(offered, 1);
    QAction* title = nullptr;
    for (QAction* item : options.actions()) {
        if (item->menu() == ParentMenuOf(dialog.FindMenuItem(ids::MenuDirectDraw))) {
            title = item;
        }
    }
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Graphics Rendering");
    EXPECT_FALSE(title->isCheckable());
    EXPECT_FALSE(dialog.FindMenuItem(ids::MenuDirectDraw)->isChecked());
}

TEST(CommandRouterTest, TheWalkGoesOnWhenAHandlerRemovesAnItem) {
    MainTemplateDialog dialog;
    QAction* open = dialog.FindMenuItem(ids::MenuOpen);
    QMenu& game = *ParentMenuOf(open);
    dialog.Commands().OnUpdate(ids::MenuStart,
                               [&game, open](CommandUI&) { game.removeAction(open); });
    bool exitOffered = false;
    dialog.Commands().OnUpdate(ids::MenuExit, [&exitOffered](CommandUI&) { exitOffered = true; });
    OpenAndClose(game);
    EXPECT_TRUE(exitOffered);
    EXPECT_FALSE(game.actions().contains(open));
}

}  // namespace
}  // namespace kestrun
