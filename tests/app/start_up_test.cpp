#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>

#include "install/program_folder.h"
#include "res/resource_ids.h"
#include "tests/app/launcher_fixture.h"

namespace kestrun {
namespace {

using testing::LauncherFixture;
using StartUpTest = LauncherFixture;

bool Checked(CDialog& dialog, int id) {
    return dialog.Item<QAbstractButton>(id)->isChecked();
}

int ListIndex(CDialog& dialog, int id) {
    return dialog.Item<QComboBox>(id)->currentIndex();
}

// Full screen, Standard input, no controller, 50% scanlines, artwork with its extras.
TEST_F(StartUpTest, FirstRunShowsTheDefaults) {
    CLauncherDialog& window = Show();
    EXPECT_TRUE(Checked(window, ids::VideoFullScreen));
    EXPECT_TRUE(window.GetDlgItem(ids::Stretch)->isEnabled());
    EXPECT_TRUE(Checked(window, ids::InputStandard));
    EXPECT_TRUE(Checked(window, ids::EffectNone));
    EXPECT_EQ(ListIndex(window, ids::ControllerList), -1);
    EXPECT_EQ(window.GetDlgItemText(ids::ScanlinesList), "50%");
    EXPECT_EQ(window.GetDlgItemText(ids::MaskList), "3 dot matrix");
    EXPECT_EQ(window.GetDlgItemText(ids::ResolutionList), "Auto");
    for (const int on : {ids::Artwork, ids::BackdropsOverlays, ids::Bezels}) {
        EXPECT_TRUE(Checked(window, on)) << on;
    }
    for (const int off :
         {ids::Steadykey, ids::Stretch, ids::SoundButton, ids::Mouse, ids::Joystick, ids::Lightgun,
          ids::Cheat, ids::Bypass, ids::Artcrop, ids::Artres, ids::UseMame32}) {
        EXPECT_FALSE(Checked(window, off)) << off;
    }
    EXPECT_FALSE(window.GetDlgItem(ids::UseMame32)->isVisible());
    EXPECT_TRUE(GameBoxHasFocus());
}

// Game folders just made for an installed program are noted over the window.
TEST_F(StartUpTest, AnInstalledProgramNotesTheGameFoldersItMade) {
    environment.folders = {ProgramFolder(), ProgramFolder(), true, true};
    Show();
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, FirstRunNote(ProgramFolder()).text);
}

}  // namespace
}  // namespace kestrun
