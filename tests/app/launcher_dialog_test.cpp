#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include "install/program_folder.h"
#include "options/launch_options.h"
#include "res/images.h"
#include "tests/app/launcher_fixture.h"

namespace kestrun::testing {
namespace {

using LauncherDialogTest = LauncherFixture;

// Opens the drop-down menu that holds the command, so that its update handlers run.
QAction& OpenMenuItem(CDialog& dialog, int commandId) {
    QAction* item = dialog.FindMenuItem(commandId);
    emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
    return *item;
}

// Escape does not close the window; Exit and the close command store the history, then the
// options in their order, in one write, and the next start shows them again.
TEST_F(LauncherDialogTest, TheCloseStoresTheHistoryThenTheOptionsForTheNextStart) {
    CLauncherDialog& window = Show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    Button(ids::Steadykey).click();
    window.Item<QComboBox>(ids::ResolutionList)->setCurrentIndex(5);
    for (const char* game : {"pacman", "galaga", "PACMAN"}) {
        window.GameBox().InsertItem(game);
    }
    TypeGame("dkong -cheat");
    EXPECT_TRUE(profile.Writes().empty());

    Button(ids::Exit).click();
    std::vector<std::string> expected{"RomSet0", "RomSet1", "RomSet"};
    expected.insert(expected.end(), LaunchOptionCloseOrder.begin(), LaunchOptionCloseOrder.end());
    EXPECT_EQ(profile.Writes(), expected);
    EXPECT_EQ(profile.Stores(), 1);
    EXPECT_FALSE(window.isVisible());

    CLauncherDialog& restarted = Show();
    EXPECT_EQ(restarted.Item<QComboBox>(ids::GameBox)->itemText(0), "PACMAN");
    EXPECT_EQ(BoxText(), "dkong -cheat");
    EXPECT_TRUE(Button(ids::Steadykey).isChecked());
    EXPECT_EQ(restarted.Item<QComboBox>(ids::ResolutionList)->currentIndex(), 5);
    profile.ClearLog();
    restarted.close();
    EXPECT_EQ(profile.Stores(), 1);
}

// The renderer and Lo-Fi choices are stored at once and marked; a stored renderer out of range
// launches with Direct3D, and its mark says so. The sound's item and button flip the sound.
TEST_F(LauncherDialogTest, MenuChoicesAreStoredAtOnceAndMarked) {
    profile.WriteProfileInt(ProfileSection, "D3d", 5);
    profile.ClearLog();
    CLauncherDialog& window = Show();
    for (const int chosen : {ids::MenuDirect3D, ids::MenuDirectDraw, ids::MenuDirect3D}) {
        const bool directDraw = chosen == ids::MenuDirectDraw;
        EXPECT_EQ(OpenMenuItem(window, ids::MenuDirectDraw).isChecked(), directDraw);
        EXPECT_EQ(OpenMenuItem(window, ids::MenuDirect3D).isChecked(), !directDraw);
        EXPECT_EQ(OpenMenuItem(window, ids::MenuLoFi).isChecked(), directDraw);
        window.FindMenuItem(directDraw ? ids::MenuDirect3D : ids::MenuDirectDraw)->trigger();
        window.FindMenuItem(ids::MenuLoFi)->trigger();
    }
    EXPECT_EQ(profile.Writes(),
              (std::vector<std::string>{"D3d", "LoFi", "D3d", "LoFi", "D3d", "LoFi"}));

    QAbstractButton& sound = Button(ids::SoundButton);
    for (const bool viaMenu : {true, false}) {
        const bool wasOn = window.Model().Options().Mute == 0;
        EXPECT_EQ(
            sound.icon().pixmap(16).toImage(),
            LoadIconResource(wasOn ? ids::SoundOnIcon : ids::SoundOffIcon).pixmap(16).toImage());
        QAction& enabled = OpenMenuItem(window, ids::MenuSoundEnabled);
        EXPECT_EQ(enabled.text(), wasOn ? "Enabled" : "Disabled");
        EXPECT_EQ(enabled.isChecked(), wasOn);
        viaMenu ? enabled.trigger() : sound.click();
        EXPECT_EQ(window.Model().Options().Mute, wasOn ? 1 : 0);
    }
    EXPECT_EQ(window.GetDlgItem(ids::Start)->toolTip(), "Run selected game");
}

TEST_F(LauncherDialogTest, RadioCouplingChangesTheControlsButNotTheRecord) {
    CLauncherDialog& window = Show();
    Button(ids::CollapseToggle).click();
    for (const auto& [list, radio] : {std::pair{ids::ControllerList, ids::InputController},
                                      std::pair{ids::MaskList, ids::EffectMasks},
                                      std::pair{ids::ScanlinesList, ids::EffectScanlines}}) {
        window.Item<QComboBox>(list)->showPopup();
        window.Item<QComboBox>(list)->hidePopup();
        EXPECT_TRUE(Button(radio).isChecked()) << list;
        Button(ids::EffectNone).click();
    }
    Button(ids::Mouse).click();
    EXPECT_TRUE(Button(ids::InputStandard).isChecked());
    Button(ids::VideoWindow).click();
    EXPECT_FALSE(Button(ids::Stretch).isEnabled());
    Button(ids::VideoFullScreen).click();
    EXPECT_TRUE(Button(ids::Stretch).isEnabled());
    EXPECT_EQ(window.Model().Options(), LoadLaunchOptions(profile));
}

// Game folders just made for an installed program are noted over the window; F1 opens the
// package's help page and F8 the advanced options over the window.
TEST_F(LauncherDialogTest, AnInstalledProgramNotesItsFoldersAndOpensItsHelp) {
    environment.folders = {ProgramFolder(), ProgramFolder() + "doc/", true, true};
    CLauncherDialog& window = Show();
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, FirstRunNote(ProgramFolder()).text);
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(shell.Attempts(), std::vector<std::string>{ProgramFolder() + "doc/kestrun.htm"});
    QString opened;
    QTimer::singleShot(0, [&opened, &window] {
        QWidget* modal = QApplication::activeModalWidget();
        opened = modal && modal->parentWidget() == &window ? modal->metaObject()->className() : "";
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    QTest::keyClick(&window, Qt::Key_F8);
    EXPECT_EQ(opened, "kestrun::CAdvancedOptionsDialog");
}

// Each step shows its snapshot fitted, or the default picture; a snapshot that cannot be decoded
// leaves the picture area empty, without a message.
TEST_F(LauncherDialogTest, EachStepShowsItsSnapshotOrTheDefaultPicture) {
    for (const char* game : {"1942", "galaga", "pacman", "zaxxon"}) {
        WriteFile(std::string("roms/") + game + ".zip");
    }
    WriteFile("snap/zaxxon.png", "\x89PNG\r\n\x1a\n truncated");
    AddSnapshot("pacman", 640, 480);
    AddSnapshot("1942", 224, 256);
    Show();
    TypeGame("pacman");
    const QLabel& picture = *dialog->Item<QLabel>(ids::SnapshotPicture);
    const QImage defaultPicture = LoadBitmapResource(ids::DefaultSnapshotBitmap);
    for (const QSize& size :
         {QSize(0, 0), QSize(224, 256), defaultPicture.size(), QSize(232, 232)}) {
        Button(ids::NextGame).click();
        EXPECT_EQ(picture.pixmap().size(), size);
    }
    Button(ids::PreviousGame).click();
    EXPECT_EQ(picture.pixmap().toImage().convertToFormat(QImage::Format_RGB888), defaultPicture);
    EXPECT_TRUE(GameBoxHasFocus());
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(LauncherDialogTest, BrowseAsksForAGameFileAndShowsTheChosenOne) {
    const std::string chosen = WriteFile("other/aa.zip");
    Show();
    QTimer::singleShot(0, [chosen] {
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->windowTitle(), "Select Game");
        EXPECT_EQ(files->nameFilters(),
                  QStringList({"Compressed ROM sets (*.zip)", "All files (*)"}));
        EXPECT_EQ(files->findChild<QLineEdit*>("fileNameEdit")->text(), "*.zip");
        files->selectFile(QString::fromStdString(chosen));
        QMetaObject::invokeMethod(files, "accept");
    });
    Button(ids::Browse).click();
    EXPECT_EQ(BoxText(), ProgramFolder() + "other/aa");
}

}  // namespace
}  // namespace kestrun::testing
