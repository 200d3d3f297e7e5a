#include "window/launcher_model.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "games/rom_path.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/temporary_folder.h"
#include "tests/support/fixed_facts_source.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/recording_display_mode.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"
#include "tests/window/recording_view.h"
#include "window/rom_path_check.h"

namespace kestrun::testing {
namespace {

// The model over a program folder with an emulator that ends at once and three ROM sets.
class LauncherModelTest : public ::testing::Test {
  protected:
    LauncherModelTest() {
        ::chmod(folder.WriteFile("mame.exe", "#!/bin/sh\nexit 0\n").c_str(), 0755);
        profile.WriteProfileInt(ProfileSection, "Shortcut", 1);
        environment.programFile = folder.Path() + "kestrun";
        environment.temporaryFolder = TemporaryFolder();
        environment.arguments = {environment.programFile};
        for (const char* game : {"1942", "galaga", "pacman"}) {
            folder.WriteFile(std::string("roms/") + game + ".zip");
        }
    }
    LauncherModel& StartUp(bool expectWindow = true) {
        model_.emplace(LauncherServices{profile, messages, display, shell, waiter, facts},
                       environment, view);
        EXPECT_EQ(model_->StartUp(), expectWindow);
        return *model_;
    }
    std::string Rom(const std::string& name) const { return folder.Path() + "roms/" + name; }

    TempHome home;
    TempFolder folder;
    MemoryProfileStore profile;
    ScriptedMessageBox messages;
    RecordingDisplayMode display;
    RecordingShell shell;
    BlockingProcessWaiter waiter;
    FixedFactsSource facts;
    LauncherEnvironment environment;
    RecordingView view;

  private:
    std::optional<LauncherModel> model_;
};

// Start-up shows the restored text, else 005, else the second set.
TEST_F(LauncherModelTest, StartUpAndStepsChooseTheGame) {
    StartUp();
    EXPECT_EQ(view.text, Rom("galaga"));
    folder.WriteFile("roms/005.zip");
    StartUp();
    EXPECT_EQ(view.text, Rom("005"));
    EXPECT_EQ(view.log.back(), "picture:default");

    // A restored text stays as typed while it chooses its ROM set; the next step shows where
    // it went.
    view.restoredText = "  pacman -cheat ";
    LauncherModel& model = StartUp();
    EXPECT_EQ(view.text, "  pacman -cheat ");
    model.StepGame(RomStep::Previous);
    EXPECT_EQ(view.text, Rom("galaga"));
    // A step from a game not in the list goes on from the last one found.
    view.text = "nosuchgame";
    model.StepGame(RomStep::Previous);
    EXPECT_EQ(view.text, Rom("1942"));

    // The game named on the command line goes in the box instead.
    environment.gameText = "galaga";
    StartUp().StepGame(RomStep::Next);
    EXPECT_EQ(view.text, Rom("pacman"));
    environment.gameText.reset();
    view.restoredText.clear();
    // Without ROM sets a step shows 005.
    std::filesystem::remove_all(folder.Path() + "roms");
    StartUp().StepGame(RomStep::Next);
    EXPECT_EQ(view.text, Rom("005"));

    view.restoredText = std::string(300, 'x');
    EXPECT_TRUE(StartUp().RomSets().CurrentRomPath.empty());
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_NE(messages.Shown()[0].text.find("too long"), std::string::npos);
}

TEST(RomPathWithinLimit, TakesAPathUpToTheLimitAndRefusesALongerOne) {
    const std::size_t shortest = RomPathFromText("x", "/games/").size();
    for (const std::size_t size : {MaxPathLength, MaxPathLength + 1}) {
        const std::string text(size - shortest + 1, 'x');
        EXPECT_EQ(RomPathWithinLimit(text, "/games/").has_value(), size == MaxPathLength) << size;
    }
}

TEST_F(LauncherModelTest, StartUpAsksForTheShortcutOnceAndOffersMame32WithBothExecutables) {
    home.Folder().MakeFolder("home/Desktop");
    // Its icon, which this copy puts in the user's icon theme.
    environment.programIcons = [](auto) { return std::vector<IconFile>{{48, "PNG"}}; };
    for (const MessageResult answer : {MessageResult::No, MessageResult::Yes}) {
        profile.RemoveProfileEntry(ProfileSection, "Shortcut");
        messages.Answer(answer);
        StartUp();
        EXPECT_EQ(messages.Shown().back().text,
                  "Would you like a Kestrun shortcut on the desktop? (Recommended)");
        EXPECT_EQ(FileExists(home.Folder().Path() + "home/Desktop/Kestrun.desktop"),
                  answer == MessageResult::Yes);
    }
    EXPECT_TRUE(FileExists(UserIconPath(ProgramIconName, 48)));
    EXPECT_FALSE(view.mame32Shown);
    folder.WriteFile("mame32.exe");
    folder.WriteFile("mamepp.exe");
    StartUp();
    EXPECT_EQ(messages.Shown().size(), 2u);
    EXPECT_TRUE(view.mame32Shown);
}

// The uninstaller's copy runs in the temporary folder: arguments that name no finished process
// delete nothing.
TEST_F(LauncherModelTest, StartUpEndsWithoutAnEmulatorOnCancelAndInTheTemporaryFolder) {
    std::filesystem::remove(folder.Path() + "mame.exe");
    messages.Answer(MessageResult::Cancel);
    EXPECT_EQ(StartUp(false).ExitCode(), 0);
    EXPECT_EQ(messages.Shown().back().caption, "mame not found");
    messages.Answer(MessageResult::Ok);
    EXPECT_FALSE(StartUp().ExitCode());

    environment.temporaryFolder = folder.Path();
    const std::string victim = folder.WriteFile("victim");
    environment.arguments = {environment.programFile, "not-a-handle", victim};
    EXPECT_EQ(StartUp(false).ExitCode(), 0);
    EXPECT_TRUE(FileExists(victim));
}

// Without names the search lists set names. A Browse scans the chosen folder (a cancel changes
// nothing); a pick from it keeps its path, and Next goes on from the picked game.
TEST_F(LauncherModelTest, BrowsedAndPickedGamesBecomeTheCurrentGame) {
    LauncherModel& model = StartUp();
    const auto rows = model.SearchGames("GA");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].label, "galaga");
    model.PickGame(rows[0].setName);
    EXPECT_EQ(view.text, "galaga");

    model.Browse();
    EXPECT_EQ(view.text, "galaga");
    view.browseAnswer = folder.WriteFile("other/aa.zip");
    folder.WriteFile("other/bb.zip");
    folder.WriteFile("other/cc.zip");
    model.Browse();
    EXPECT_EQ(view.text, folder.Path() + "other/aa");
    model.PickGame(model.SearchGames("bb").at(0).setName);
    EXPECT_EQ(view.text, folder.Path() + "other/bb");
    model.StepGame(RomStep::Next);
    EXPECT_EQ(view.text, folder.Path() + "other/cc");
}

TEST_F(LauncherModelTest, DeleteSnapshotAsksMovesToTheTrashOrSaysItIsMissing) {
    // The model only looks for the file; the window decodes it.
    const std::string snapshot = folder.WriteFile("snap/pacman.png", "PNG");
    LauncherModel& model = StartUp();
    view.text = "pacman";
    messages.Answer(MessageResult::No);
    model.DeleteSnapshot();
    EXPECT_TRUE(FileExists(snapshot));
    model.DeleteSnapshot();
    EXPECT_TRUE(FileExists(home.Folder().Path() + "home/.local/share/Trash/files/pacman.png"));
    EXPECT_EQ(view.log.back(), "picture:default");
    model.DeleteSnapshot();
    EXPECT_EQ(messages.Shown().at(2).text, "snap/pacman.png doesn't exist.");
}

}  // namespace
}  // namespace kestrun::testing
