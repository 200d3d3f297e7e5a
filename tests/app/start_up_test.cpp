#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <filesystem>

#include "install/desktop_shortcut.h"
#include "platform/file_system.h"
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

constexpr const char* ShortcutQuestion =
    "Would you like a Kestrun shortcut on the desktop? (Recommended)";

TEST_F(StartUpTest, FirstRunShowsTheDefaultsAndAsksForTheShortcutOnce) {
    profile.RemoveProfileEntry(ProfileSection, "Shortcut");
    messages.Answer(MessageResult::No);
    CLauncherDialog& window = Show();

    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, ShortcutQuestion);
    EXPECT_EQ(messages.Shown()[0].caption, "Kestrun");
    EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(profile.GetProfileInt(ProfileSection, "Shortcut", 0), 1);
    EXPECT_FALSE(std::filesystem::exists(home.Folder().Path() + "home/Desktop/Kestrun.desktop"));

    // Full screen, Standard input, no controller, 50% scanlines, artwork with its extras.
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

    // The next start asks nothing.
    dialog.reset();
    Show();
    EXPECT_EQ(messages.Shown().size(), 1u);
}

TEST_F(StartUpTest, YesPutsAShortcutToThisProgramOnTheDesktop) {
    profile.RemoveProfileEntry(ProfileSection, "Shortcut");
    home.Folder().MakeFolder("home/Desktop");
    messages.Answer(MessageResult::Yes);
    Create();
    QFile entry(QString::fromStdString(home.Folder().Path() + "home/Desktop/Kestrun.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains((ProgramFolder() + "kestrun").c_str()));
    EXPECT_EQ(profile.GetProfileInt(ProfileSection, "Shortcut", 0), 1);
    // The entry names its icon, which this copy puts in the user's icon theme.
    for (const int size : UserIconSizes) {
        EXPECT_TRUE(std::filesystem::is_regular_file(UserIconPath(ProgramIconName, size))) << size;
    }
}

// An installed program works in the folders chosen for it: the games in the user's folder,
// the help page in the package's, a note over the window when the game folders were just made,
// a shortcut to the installed program whose icon the package provides, and the game named on
// the command line in the box.
TEST_F(StartUpTest, AnInstalledProgramUsesItsFoldersAndTheCommandLineGame) {
    AddRomSet("galaga");
    AddRomSet("pacman");
    profile.WriteProfileString(ProfileSection, "RomSet", "pacman");
    profile.RemoveProfileEntry(ProfileSection, "Shortcut");
    testing::TempFolder package;
    environment.programFile = package.Path() + "bin/kestrun";
    environment.folders = {ProgramFolder(), package.Path() + "doc/", true, true};
    environment.gameText = "galaga";
    messages.Answer(MessageResult::Yes);
    Show();
    QCoreApplication::processEvents();

    EXPECT_EQ(BoxText(), "galaga");
    EXPECT_EQ(dialog->RomSets().CurrentRomPath, ProgramFolder() + "roms/galaga.zip");
    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(messages.Shown()[0].text, ShortcutQuestion);
    EXPECT_EQ(messages.Shown()[1].text, FirstRunNote(ProgramFolder()).text);
    QFile entry(QString::fromStdString(home.Folder().Path() + "home/Desktop/Kestrun.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains(("Exec=\"" + environment.programFile + "\"").c_str()));
    EXPECT_FALSE(std::filesystem::exists(UserIconPath(ProgramIconName, 48)));
    dialog->OnCommand(ids::MenuDocumentation);
    EXPECT_EQ(shell.Attempts(), std::vector<std::string>{package.Path() + "doc/kestrun.htm"});
}

TEST_F(StartUpTest, WithoutAnEmulatorCancelEndsAndOkGoesOnToTheShortcutQuestion) {
    std::filesystem::remove(ProgramFolder() + "mame.exe");
    profile.RemoveProfileEntry(ProfileSection, "Shortcut");

    messages.Answer(MessageResult::Cancel);
    Create();
    EXPECT_EQ(dialog->ExitCode(), 0);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].caption, "mame not found");
    EXPECT_FALSE(profile.Has("Shortcut"));

    messages.Answer(MessageResult::Ok);
    messages.Answer(MessageResult::No);
    Show();
    EXPECT_FALSE(dialog->ExitCode());
    ASSERT_EQ(messages.Shown().size(), 3u);
    EXPECT_EQ(messages.Shown()[2].text, ShortcutQuestion);
}

// The uninstaller's copy runs from the temporary folder: no window, no question, exit 0, and
// arguments that do not name a finished process delete nothing.
TEST_F(StartUpTest, RunningFromTheTemporaryFolderEndsWithoutAWindow) {
    environment.temporaryFolder = ProgramFolder();
    const std::string victim = folder.WriteFile("victim");
    environment.arguments = {environment.programFile, "not-a-handle", victim};
    profile.RemoveProfileEntry(ProfileSection, "Shortcut");
    Create();
    EXPECT_EQ(dialog->ExitCode(), 0);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(FileExists(victim));
}

TEST_F(StartUpTest, UseMame32IsOfferedOnlyWithMame32AndMamepp) {
    struct Case {
        std::vector<std::string> executables;
        bool shown;
    };
    const Case cases[] = {
        {{"mame32.exe"}, false},
        {{"mame32.exe", "mamepp.exe"}, true},
    };
    for (const Case& c : cases) {
        for (const std::string& name : c.executables) {
            folder.WriteFile(name);
        }
        Show();
        EXPECT_EQ(dialog->GetDlgItem(ids::UseMame32)->isVisible(), c.shown);
    }
}

TEST_F(StartUpTest, ARestoredTextStaysAsTypedAndChoosesItsRomSet) {
    AddRomSet("galaga");
    AddRomSet("pacman");
    profile.WriteProfileString(ProfileSection, "RomSet", "  pacman -cheat ");
    Show();
    EXPECT_EQ(BoxText(), "  pacman -cheat ");
    EXPECT_EQ(dialog->RomSets().CurrentRomPath, ProgramFolder() + "roms/pacman.zip");
    EXPECT_EQ(dialog->RomSets().CurrentRomIndex, 1);
}

TEST_F(StartUpTest, WithoutHistoryTheGameIs005OrTheSecondSetOfTheFolder) {
    AddRomSet("1942");
    AddRomSet("galaga");
    AddRomSet("pacman");
    Show();
    EXPECT_EQ(BoxText(), ProgramFolder() + "roms/galaga");

    AddRomSet("005");
    Show();
    EXPECT_EQ(BoxText(), ProgramFolder() + "roms/005");
    EXPECT_TRUE(ShowsDefaultPicture());
}

TEST_F(StartUpTest, ATextTooLongForAPathIsRefusedWithAMessage) {
    AddRomSet("pacman");
    profile.WriteProfileString(ProfileSection, "RomSet", std::string(300, 'x'));
    Show();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_NE(messages.Shown()[0].text.find("too long"), std::string::npos);
    EXPECT_TRUE(dialog->RomSets().CurrentRomPath.empty());
    EXPECT_EQ(BoxText(), std::string(300, 'x'));
}

// Stored numbers the controls cannot show leave them without a choice, and that is what the
// close stores back.
TEST_F(StartUpTest, OutOfRangeValuesLeaveGroupsAndListsWithoutSelection) {
    profile.WriteProfileInt(ProfileSection, "Input", 7);
    profile.WriteProfileInt(ProfileSection, "Video", -3);
    profile.WriteProfileInt(ProfileSection, "Effects", 4);
    profile.WriteProfileInt(ProfileSection, "Ctrlr", 99);
    profile.WriteProfileInt(ProfileSection, "Resolution", -8);
    profile.WriteProfileInt(ProfileSection, "Mute", 5);
    CLauncherDialog& window = Show();
    for (const int radio : {ids::InputStandard, ids::InputController, ids::VideoWindow,
                            ids::VideoFullScreen, ids::EffectNone, ids::EffectMasks}) {
        EXPECT_FALSE(Checked(window, radio)) << radio;
    }
    Click(ids::Exit);
    for (const char* key : {"Input", "Video", "Effects", "Ctrlr", "Resolution"}) {
        EXPECT_EQ(profile.GetProfileInt(ProfileSection, key, 0), -1) << key;
    }
    EXPECT_EQ(profile.GetProfileInt(ProfileSection, "Mute", 5), 0);
}

}  // namespace
}  // namespace kestrun
