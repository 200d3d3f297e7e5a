#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <functional>

#include "options/launch_options.h"
#include "res/images.h"
#include "res/resource_ids.h"
#include "tests/app/launcher_fixture.h"

namespace kestrun {
namespace {

using testing::LauncherFixture;
using LauncherDialogTest = LauncherFixture;

QAbstractButton& Button(CDialog& dialog, int id) {
    return *dialog.Item<QAbstractButton>(id);
}

// Opens the drop-down menu that holds the command, so that its update handlers run.
QAction& OpenMenuItem(CDialog& dialog, int commandId) {
    QAction* item = dialog.FindMenuItem(commandId);
    auto* menu = qobject_cast<QMenu*>(item->parent());
    emit menu->aboutToShow();
    return *item;
}

bool ShowsIcon(const QAbstractButton& button, int iconId) {
    return button.icon().pixmap(16).toImage() == LoadIconResource(iconId).pixmap(16).toImage();
}

// Escape does not close the window; Exit and the close command store the history, then the
// options in their order, in one write, and the next start shows them again.
TEST_F(LauncherDialogTest, TheCloseStoresTheHistoryThenTheOptionsForTheNextStart) {
    CLauncherDialog& window = Show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(profile.Writes().empty());
    Button(window, ids::Steadykey).click();
    Button(window, ids::VideoWindow).click();
    window.Item<QComboBox>(ids::ResolutionList)->setCurrentIndex(5);
    for (const char* game : {"pacman", "galaga", "PACMAN"}) {
        window.GameBox().InsertItem(game);
    }
    TypeGame("dkong -cheat");

    Click(ids::Exit);
    std::vector<std::string> expected{"RomSet0", "RomSet1", "RomSet"};
    expected.insert(expected.end(), LaunchOptionCloseOrder.begin(), LaunchOptionCloseOrder.end());
    EXPECT_EQ(profile.Writes(), expected);
    EXPECT_EQ(profile.Stores(), 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), 0);

    CLauncherDialog& restarted = Show();
    auto* box = restarted.Item<QComboBox>(ids::GameBox);
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), "PACMAN");
    EXPECT_EQ(box->itemText(1), "galaga");
    EXPECT_EQ(BoxText(), "dkong -cheat");
    EXPECT_TRUE(Button(restarted, ids::Steadykey).isChecked());
    EXPECT_TRUE(Button(restarted, ids::VideoWindow).isChecked());
    EXPECT_EQ(restarted.Item<QComboBox>(ids::ResolutionList)->currentIndex(), 5);
    profile.ClearLog();
    restarted.close();
    EXPECT_FALSE(restarted.isVisible());
    EXPECT_EQ(profile.Stores(), 1);
}

// Main-window options are stored at close only; the menu's renderer and Lo-Fi choices at once,
// and their marks follow them. A stored renderer out of range launches with Direct3D, and
// its mark says so.
TEST_F(LauncherDialogTest, WithoutExitOnlyTheMenuChoicesReachTheProfile) {
    profile.WriteProfileInt(ProfileSection, "D3d", 5);
    profile.ClearLog();
    CLauncherDialog& window = Show();
    EXPECT_FALSE(OpenMenuItem(window, ids::MenuDirectDraw).isChecked());
    EXPECT_TRUE(OpenMenuItem(window, ids::MenuDirect3D).isChecked());
    EXPECT_FALSE(OpenMenuItem(window, ids::MenuLoFi).isChecked());
    Button(window, ids::Steadykey).click();
    window.FindMenuItem(ids::MenuDirectDraw)->trigger();
    window.FindMenuItem(ids::MenuLoFi)->trigger();
    EXPECT_TRUE(OpenMenuItem(window, ids::MenuDirectDraw).isChecked());
    EXPECT_FALSE(OpenMenuItem(window, ids::MenuDirect3D).isChecked());
    EXPECT_TRUE(OpenMenuItem(window, ids::MenuLoFi).isChecked());
    window.FindMenuItem(ids::MenuDirect3D)->trigger();
    window.FindMenuItem(ids::MenuLoFi)->trigger();
    EXPECT_FALSE(OpenMenuItem(window, ids::MenuDirectDraw).isChecked());
    EXPECT_TRUE(OpenMenuItem(window, ids::MenuDirect3D).isChecked());
    EXPECT_FALSE(OpenMenuItem(window, ids::MenuLoFi).isChecked());
    EXPECT_EQ(profile.Writes(), (std::vector<std::string>{"D3d", "LoFi", "D3d", "LoFi"}));
    EXPECT_EQ(profile.Stores(), 4);
    dialog.reset();
    EXPECT_FALSE(profile.Has("Steadykey"));
    EXPECT_EQ(profile.GetProfileInt(ProfileSection, "D3d", 0), 1);
    EXPECT_EQ(profile.GetProfileInt(ProfileSection, "LoFi", -1), 0);
}

// Ticked while a Start would translate: decided by the emulator until the user chooses.
TEST_F(LauncherDialogTest, TheTranslateItemShowsAndStoresWhetherOptionsAreTranslated) {
    facts.facts.version = "0.251";
    CLauncherDialog& window = Show();
    QApplication::processEvents();
    EXPECT_EQ(facts.prepared, std::vector<std::string>{ProgramFolder() + "mame.exe"});
    QAction& translate = OpenMenuItem(window, ids::MenuTranslateOptions);
    EXPECT_EQ(translate.text(), "Translate options for current MAME");
    EXPECT_TRUE(translate.isChecked());

    translate.trigger();
    EXPECT_FALSE(OpenMenuItem(window, ids::MenuTranslateOptions).isChecked());
    EXPECT_EQ(profile.GetProfileInt(ProfileSection, "TranslateOptions", -1), 0);
    facts.facts.version.clear();
    translate.trigger();
    EXPECT_TRUE(OpenMenuItem(window, ids::MenuTranslateOptions).isChecked());
    EXPECT_EQ(profile.GetProfileInt(ProfileSection, "TranslateOptions", -1), 1);
}

// The menu item and the button flip the sound, and the button reads every control back.
TEST_F(LauncherDialogTest, SoundMenuFlipsTheButtonAndFollowsTheRecord) {
    CLauncherDialog& window = Show();
    QAbstractButton& sound = Button(window, ids::SoundButton);
    QAction& enabled = OpenMenuItem(window, ids::MenuSoundEnabled);
    EXPECT_NE(enabled.actionGroup(), nullptr);
    Button(window, ids::Cheat).click();
    for (const bool viaMenu : {true, false, true}) {
        const bool wasOn = window.Model().Options().Mute == 0;
        EXPECT_TRUE(ShowsIcon(sound, wasOn ? ids::SoundOnIcon : ids::SoundOffIcon));
        EXPECT_EQ(OpenMenuItem(window, ids::MenuSoundEnabled).text(),
                  wasOn ? "Enabled" : "Disabled");
        EXPECT_EQ(enabled.isChecked(), wasOn);
        viaMenu ? enabled.trigger() : sound.click();
        EXPECT_EQ(window.Model().Options().Mute, wasOn ? 1 : 0);
        EXPECT_EQ(sound.isChecked(), wasOn);
    }
    // The button's click took the box's value along.
    EXPECT_EQ(window.Model().Options().Cheat, 1);
}

TEST_F(LauncherDialogTest, RadioCouplingChangesTheControlsButNotTheRecord) {
    CLauncherDialog& window = Show();
    Button(window, ids::CollapseToggle).click();
    auto* controllers = window.Item<QComboBox>(ids::ControllerList);

    controllers->showPopup();
    controllers->hidePopup();
    EXPECT_TRUE(Button(window, ids::InputController).isChecked());
    controllers->setCurrentIndex(2);
    Button(window, ids::Mouse).click();
    EXPECT_TRUE(Button(window, ids::InputStandard).isChecked());
    EXPECT_EQ(controllers->currentIndex(), 2);

    for (const auto& [list, effect] : {std::pair{ids::MaskList, ids::EffectMasks},
                                       std::pair{ids::ScanlinesList, ids::EffectScanlines}}) {
        Button(window, ids::EffectNone).click();
        auto* box = window.Item<QComboBox>(list);
        box->showPopup();
        box->hidePopup();
        EXPECT_TRUE(Button(window, effect).isChecked()) << list;
    }

    Button(window, ids::VideoWindow).click();
    EXPECT_FALSE(window.GetDlgItem(ids::Stretch)->isEnabled());
    Button(window, ids::VideoFullScreen).click();
    EXPECT_TRUE(window.GetDlgItem(ids::Stretch)->isEnabled());
    EXPECT_EQ(window.Model().Options(), LoadLaunchOptions(profile));
}

TEST_F(LauncherDialogTest, ButtonsCarryTheirIconsAndTooltips) {
    CLauncherDialog& window = Show();
    for (const auto& [button, icon] :
         {std::pair{ids::NextGame, ids::NextIcon}, std::pair{ids::PreviousGame, ids::PreviousIcon},
          std::pair{ids::DeleteSnapshot, ids::DeleteSnapshotIcon},
          std::pair{ids::FullScreen, ids::FullScreenIcon}}) {
        EXPECT_TRUE(ShowsIcon(Button(window, button), icon)) << button;
    }
    EXPECT_EQ(window.GetDlgItem(ids::Start)->toolTip(), "Run selected game");
    EXPECT_TRUE(window.GetDlgItem(ids::Exit)->toolTip().isEmpty());
}

TEST_F(LauncherDialogTest, HelpCommandsOpenTheHelpPageAndTheDownloadPage) {
    CLauncherDialog& window = Show();
    QTest::keyClick(&window, Qt::Key_F1);
    window.FindMenuItem(ids::MenuDocumentation)->trigger();
    window.FindMenuItem(ids::MenuGetEmulator)->trigger();
    const std::string help = ProgramFolder() + "kestrun.htm";
    EXPECT_EQ(shell.Attempts(),
              (std::vector<std::string>{help, help, "https://www.mamedev.org/release.html"}));
}

// F8, the About button, its menu item and the context menu's item (the stand-in for the
// system menu) each open their dialog over the main window; closing them changes nothing.
TEST_F(LauncherDialogTest, DialogCommandsOpenTheirDialogsModally) {
    CLauncherDialog& window = Show();
    EXPECT_EQ(window.contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_FALSE(window.actions().isEmpty());
    EXPECT_EQ(window.actions().front()->text(), "&About kestrun...");
    const std::vector<std::pair<std::function<void()>, QString>> commands{
        {[&] { QTest::keyClick(&window, Qt::Key_F8); }, "CAdvancedOptionsDialog"},
        {[&] { Button(window, ids::About).click(); }, "CAboutDialog"},
        {[&] { window.FindMenuItem(ids::MenuAbout)->trigger(); }, "CAboutDialog"},
        {[&] { window.actions().front()->trigger(); }, "CAboutDialog"},
    };
    for (const auto& [command, className] : commands) {
        QString opened;
        QTimer::singleShot(0, [&opened, &window] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            opened = modal->metaObject()->className();
            opened.remove("kestrun::");
            EXPECT_EQ(modal->parentWidget(), &window);
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        command();
        EXPECT_EQ(opened, className);
    }
    EXPECT_TRUE(profile.Writes().empty());
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace kestrun
