#include <QAction>
#include <QLabel>
#include <QMenu>

#include "options/launch_options.h"
#include "res/images.h"
#include "tests/app/launcher_fixture.h"

namespace kestrun::testing {
namespace {

using LauncherDialogTest = LauncherFixture;

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

// The renderer, Lo-Fi and translation choices are stored at once and their marks follow them: a
// stored renderer out of range launches with Direct3D, and a current MAME is translated for
// until the user says. Start carries its tip, and F1 opens the help page.
TEST_F(LauncherDialogTest, MenuChoicesAreStoredAtOnceAndMarked) {
    profile.WriteProfileInt(ProfileSection, "D3d", 5);
    facts.facts.version = "0.251";
    profile.ClearLog();
    CLauncherDialog& window = Show();
    auto ticked = [&window](int commandId) {
        QAction* item = window.FindMenuItem(commandId);
        emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
        return item->isChecked();
    };
    // Each round checks the marks of the renderer in use, then chooses the other one.
    for (const int current : {ids::MenuDirect3D, ids::MenuDirectDraw, ids::MenuDirect3D}) {
        const bool directDraw = current == ids::MenuDirectDraw;
        EXPECT_EQ(ticked(ids::MenuDirectDraw), directDraw);
        EXPECT_EQ(ticked(ids::MenuDirect3D), !directDraw);
        EXPECT_EQ(ticked(ids::MenuLoFi), directDraw);
        EXPECT_EQ(ticked(ids::MenuTranslateOptions), !directDraw);
        window.FindMenuItem(directDraw ? ids::MenuDirect3D : ids::MenuDirectDraw)->trigger();
        window.FindMenuItem(ids::MenuLoFi)->trigger();
        window.FindMenuItem(ids::MenuTranslateOptions)->trigger();
    }
    EXPECT_EQ(profile.Stores(), 9);

    EXPECT_EQ(window.GetDlgItem(ids::Start)->toolTip(), "Run selected game");
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(shell.Attempts(), std::vector<std::string>{ProgramFolder() + "kestrun.htm"});
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
    const QImage defaultPicture = LoadBitmapResource(ids::DefaultSnapshotBitmap);
    for (const QSize& size :
         {QSize(0, 0), QSize(224, 256), defaultPicture.size(), QSize(232, 232)}) {
        Button(ids::NextGame).click();
        EXPECT_EQ(Picture().pixmap().size(), size);
    }
    Button(ids::PreviousGame).click();
    EXPECT_EQ(Picture().pixmap().toImage().convertToFormat(QImage::Format_RGB888), defaultPicture);
    EXPECT_TRUE(messages.Shown().empty());
}

}  // namespace
}  // namespace kestrun::testing
