#include "window/launcher_model.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <utility>

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

using Log = std::vector<std::string>;

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
    // The model only looks for the file; the window decodes it.
    std::string AddSnapshot() const { return folder.WriteFile("snap/pacman.png", "PNG"); }
    // The log since the last call.
    Log TakeLog() { return std::exchange(view.log, {}); }

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

TEST_F(LauncherModelTest, StartUpChoosesTheRestoredTextElse005ElseTheSecondSet) {
    StartUp();
    EXPECT_EQ(view.text, Rom("galaga"));
    folder.WriteFile("roms/005.zip");
    StartUp();
    EXPECT_EQ(view.text, Rom("005"));
    EXPECT_EQ(TakeLog().back(), "picture:default");

    // A restored text stays as typed while it chooses its ROM set; the next step shows where
    // it went.
    view.restoredText = "  pacman -cheat ";
    LauncherModel& model = StartUp();
    EXPECT_EQ(view.text, "  pacman -cheat ");
    model.StepGame(RomStep::Previous);
    EXPECT_EQ(view.text, Rom("galaga"));

    // The game named on the command line goes in the box instead.
    environment.gameText = "galaga";
    StartUp().StepGame(RomStep::Next);
    EXPECT_EQ(view.text, Rom("pacman"));
    environment.gameText.reset();

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
    view = {};
    EXPECT_EQ(StartUp(false).ExitCode(), 0);
    EXPECT_TRUE(view.log.empty());
    EXPECT_TRUE(FileExists(victim));
}

// A step goes on from the typed game without its options, or from the last game found, and
// shows the snapshot; without ROM sets it shows 005.
TEST_F(LauncherModelTest, StepsGoOnFromTheTypedOrTheLastFoundGame) {
    const std::string snapshot = AddSnapshot();
    LauncherModel& model = StartUp();
    view.text = "galaga -cheat";
    TakeLog();
    model.StepGame(RomStep::Next);
    EXPECT_EQ(view.text, Rom("pacman"));
    EXPECT_EQ(TakeLog(), Log{"picture:" + snapshot});
    view.text = "nosuchgame";
    model.StepGame(RomStep::Previous);
    EXPECT_EQ(view.text, Rom("galaga"));

    std::filesystem::remove_all(folder.Path() + "roms");
    StartUp().StepGame(RomStep::Next);
    EXPECT_EQ(view.text, Rom("005"));
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
    const std::string snapshot = AddSnapshot();
    LauncherModel& model = StartUp();
    view.text = "pacman";
    messages.Answer(MessageResult::No);
    model.DeleteSnapshot();
    EXPECT_TRUE(FileExists(snapshot));
    model.DeleteSnapshot();
    EXPECT_TRUE(FileExists(home.Folder().Path() + "home/.local/share/Trash/files/pacman.png"));
    EXPECT_EQ(view.log.back(), "picture:default");
    model.DeleteSnapshot();
    ASSERT_EQ(messages.Shown().size(), 3u);
    EXPECT_EQ(messages.Shown()[2].text, "snap/pacman.png doesn't exist.");
}

// A Start translates while the emulator is a current MAME, until the user chooses.
TEST_F(LauncherModelTest, TheTranslationFollowsTheEmulatorUntilTheUserChooses) {
    facts.facts.version = "0.251";
    LauncherModel& model = StartUp();
    EXPECT_TRUE(model.TranslationInUse());
    model.ToggleTranslation();
    EXPECT_FALSE(model.TranslationInUse());
    facts.facts.version.clear();
    model.ToggleTranslation();
    EXPECT_TRUE(model.TranslationInUse());
}

}  // namespace
}  // namespace kestrun::testing
