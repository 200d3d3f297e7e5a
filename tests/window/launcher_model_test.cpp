#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
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
#include "window/launcher_model.h"
#include "window/rom_path_check.h"

namespace kestrun {
namespace {

using testing::RecordingView;
using Call = testing::RecordingDisplayMode::Call;
using Log = std::vector<std::string>;

// Waits like the window does, after running what the test wants done during the wait.
class WaiterWithDuringTheRun final : public ProcessWaiter {
  public:
    bool WaitForExit(int processFd) override {
        if (duringTheRun) {
            duringTheRun();
        }
        return BlockingProcessWaiter().WaitForExit(processFd);
    }
    std::function<void()> duringTheRun;
};

class LauncherModelTest : public ::testing::Test {
  protected:
    LauncherModelTest() {
        const std::string emulator = folder.WriteFile("mame.exe", "#!/bin/sh\nexit 0\n");
        ::chmod(emulator.c_str(), 0755);
        profile.WriteProfileInt(ProfileSection, "Shortcut", 1);
        environment.programFile = folder.Path() + "kestrun";
        environment.temporaryFolder = TemporaryFolder();
        environment.arguments = {environment.programFile};
        for (const char* game : {"1942", "galaga", "pacman"}) {
            AddRomSet(game);
        }
    }

    LauncherModel& StartUp(bool expectWindow = true) {
        model_.emplace(LauncherServices{profile, messages, display, shell, waiter, facts},
                       environment, view);
        EXPECT_EQ(model_->StartUp(), expectWindow);
        return *model_;
    }
    void AddRomSet(const std::string& name) const { folder.WriteFile("roms/" + name + ".zip"); }
    // The model only looks for the file; the window decodes it.
    void AddSnapshot(const std::string& name) const {
        folder.WriteFile("snap/" + name + ".png", "PNG");
    }
    std::string Rom(const std::string& name) const { return folder.Path() + "roms/" + name; }
    // The log since the last call.
    Log TakeLog() { return std::exchange(view.log, {}); }

    testing::TempHome home;
    testing::TempFolder folder;
    testing::MemoryProfileStore profile;
    testing::ScriptedMessageBox messages;
    testing::RecordingDisplayMode display;
    testing::RecordingShell shell;
    WaiterWithDuringTheRun waiter;
    testing::FixedFactsSource facts;
    LauncherEnvironment environment;
    RecordingView view;

  private:
    std::optional<LauncherModel> model_;
};

TEST_F(LauncherModelTest, StartUpChoosesTheRestoredTextElse005ElseTheSecondSet) {
    StartUp();
    EXPECT_EQ(view.text, Rom("galaga"));

    AddRomSet("005");
    StartUp();
    EXPECT_EQ(view.text, Rom("005"));
    EXPECT_EQ(TakeLog().back(), "picture:default");

    // A restored text stays as typed while it chooses its ROM set.
    view.restoredText = "  pacman -cheat ";
    LauncherModel& model = StartUp();
    EXPECT_EQ(view.text, "  pacman -cheat ");
    EXPECT_EQ(model.RomSets().CurrentRomPath, Rom("pacman") + ".zip");
    EXPECT_EQ(model.RomSets().CurrentRomIndex, 3);
    // Only that first picture keeps the text: the next step shows where it went.
    model.StepGame(RomStep::Previous);
    EXPECT_EQ(view.text, Rom("galaga"));

    view.restoredText = std::string(300, 'x');
    EXPECT_TRUE(StartUp().RomSets().CurrentRomPath.empty());
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_NE(messages.Shown()[0].text.find("too long"), std::string::npos);
    EXPECT_EQ(view.text, std::string(300, 'x'));
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
    environment.programIcons = [](std::span<const int> sizes) {
        std::vector<IconFile> icons;
        for (const int size : sizes) {
            icons.push_back({size, "PNG"});
        }
        return icons;
    };
    for (const MessageResult answer : {MessageResult::No, MessageResult::Yes}) {
        profile.RemoveProfileEntry(ProfileSection, "Shortcut");
        messages.Answer(answer);
        StartUp();
        EXPECT_EQ(messages.Shown().back().text,
                  "Would you like a Kestrun shortcut on the desktop? (Recommended)");
        EXPECT_EQ(messages.Shown().back().caption, "Kestrun");
        EXPECT_EQ(FileExists(home.Folder().Path() + "home/Desktop/Kestrun.desktop"),
                  answer == MessageResult::Yes);
        EXPECT_EQ(profile.GetProfileInt(ProfileSection, "Shortcut", 0), 1);
    }
    ASSERT_EQ(messages.Shown().size(), 2u);
    // The entry names its icon, which this copy puts in the user's icon theme.
    for (const int size : UserIconSizes) {
        EXPECT_TRUE(FileExists(UserIconPath(ProgramIconName, size))) << size;
    }
    EXPECT_FALSE(view.mame32Shown);
    folder.WriteFile("mame32.exe");
    folder.WriteFile("mamepp.exe");
    StartUp();
    EXPECT_EQ(messages.Shown().size(), 2u);
    EXPECT_TRUE(view.mame32Shown);
}

// An installed program works in the folders chosen for it: the games in the user's folder,
// the help page in the package's, a shortcut to the installed program whose icon the package
// provides, and the game named on the command line in the box.
TEST_F(LauncherModelTest, AnInstalledProgramUsesItsFoldersAndTheCommandLineGame) {
    profile.WriteProfileString(ProfileSection, "RomSet", "pacman");
    profile.RemoveProfileEntry(ProfileSection, "Shortcut");
    testing::TempFolder package;
    environment.programFile = package.Path() + "bin/kestrun";
    environment.folders = {folder.Path(), package.Path() + "doc/", true, true};
    environment.gameText = "galaga";
    LauncherModel& model = StartUp();
    EXPECT_EQ(view.text, "galaga");
    EXPECT_EQ(model.RomSets().CurrentRomPath, Rom("galaga") + ".zip");
    EXPECT_EQ(model.HelpFolder(), package.Path() + "doc/");
    const auto entry = ReadFileUpTo(home.Folder().Path() + "home/Desktop/Kestrun.desktop", 4096);
    ASSERT_TRUE(entry.has_value());
    EXPECT_NE(entry->find("Exec=\"" + environment.programFile + "\""), std::string::npos);
    EXPECT_FALSE(FileExists(UserIconPath(ProgramIconName, 48)));
}

TEST_F(LauncherModelTest, StartUpEndsWithoutAnEmulatorOnCancelAndInTheTemporaryFolder) {
    std::filesystem::remove(folder.Path() + "mame.exe");
    messages.Answer(MessageResult::Cancel);
    EXPECT_EQ(StartUp(false).ExitCode(), 0);
    EXPECT_EQ(messages.Shown().back().caption, "mame not found");
    messages.Answer(MessageResult::Ok);
    EXPECT_FALSE(StartUp().ExitCode());

    // The uninstaller's copy: arguments that name no finished process delete nothing.
    environment.temporaryFolder = folder.Path();
    const std::string victim = folder.WriteFile("victim");
    environment.arguments = {environment.programFile, "not-a-handle", victim};
    view = {};
    EXPECT_EQ(StartUp(false).ExitCode(), 0);
    EXPECT_TRUE(view.log.empty());
    EXPECT_TRUE(FileExists(victim));
}

TEST_F(LauncherModelTest, StepsWrapAndGoOnFromTheLastGameFound) {
    AddSnapshot("pacman");
    LauncherModel& model = StartUp();
    struct Step {
        std::string typed;  // empty: leave the box as the last step left it
        RomStep step;
        std::string shown;
    };
    const std::string elsewhere = folder.WriteFile("other/zaxxon.zip");
    const Step steps[] = {
        {"galaga -cheat", RomStep::Next, Rom("pacman")}, {"", RomStep::Next, Rom("1942")},
        {"", RomStep::Previous, Rom("pacman")},          {"nosuchgame", RomStep::Next, Rom("1942")},
        {elsewhere, RomStep::Next, Rom("galaga")},
    };
    for (const Step& s : steps) {
        if (!s.typed.empty()) {
            view.text = s.typed;
        }
        model.StepGame(s.step);
        EXPECT_EQ(view.text, s.shown) << s.typed;
    }
    TakeLog();
    model.StepGame(RomStep::Next);
    EXPECT_EQ(TakeLog(), Log{"picture:" + folder.Path() + "snap/pacman.png"});

    std::filesystem::remove_all(folder.Path() + "roms");
    view.restoredText = "";
    LauncherModel& empty = StartUp();
    empty.StepGame(RomStep::Next);
    EXPECT_EQ(view.text, Rom("005"));
}

TEST_F(LauncherModelTest, BrowseScansTheChosenFolderAndACancelChangesNothing) {
    LauncherModel& model = StartUp();
    const std::string first = folder.WriteFile("other/aa.zip");
    folder.WriteFile("other/bb.zip");
    model.Browse();
    EXPECT_EQ(view.text, Rom("galaga"));
    view.browseAnswer = first;
    model.Browse();
    EXPECT_EQ(view.text, folder.Path() + "other/aa");
    model.StepGame(RomStep::Next);
    EXPECT_EQ(view.text, folder.Path() + "other/bb");
}

TEST_F(LauncherModelTest, DeleteSnapshotAsksMovesToTheTrashOrSaysItIsMissing) {
    AddSnapshot("pacman");
    LauncherModel& model = StartUp();
    view.text = "pacman";
    messages.Answer(MessageResult::No);
    model.DeleteSnapshot();
    EXPECT_TRUE(FileExists(folder.Path() + "snap/pacman.png"));
    model.DeleteSnapshot();
    EXPECT_FALSE(FileExists(folder.Path() + "snap/pacman.png"));
    EXPECT_TRUE(FileExists(home.Folder().Path() + "home/.local/share/Trash/files/pacman.png"));
    EXPECT_EQ(view.log.back(), "picture:default");
    model.DeleteSnapshot();
    ASSERT_EQ(messages.Shown().size(), 3u);
    EXPECT_EQ(messages.Shown()[2].text, "snap/pacman.png doesn't exist.");
}

TEST_F(LauncherModelTest, FullScreenSwitchesArrangesAndRefitsOrWarns) {
    AddSnapshot("pacman");
    LauncherModel& model = StartUp();
    view.text = " pacman ";
    TakeLog();
    model.ToggleFullScreen();
    model.ToggleFullScreen();
    const std::string picture = "picture:" + folder.Path() + "snap/pacman.png";
    EXPECT_EQ(TakeLog(), (Log{"arrange:on", picture + " full", "arrange:off", picture}));
    EXPECT_EQ(display.Calls(), (std::vector<Call>{{640, 480, false}, {0, 0, true}}));

    display.SetSupported(false);
    model.ToggleFullScreen();
    EXPECT_FALSE(model.DisplaySwitched());
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ(messages.Shown().back().text, "Couldn't change to full screen!");
}

// The close saves the history before the options, gives the display back, and waits for a
// running game.
TEST_F(LauncherModelTest, CloseSavesAndRestoresButNotDuringARun) {
    LauncherModel& model = StartUp();
    model.ToggleFullScreen();
    view.text = "pacman";
    view.options.Cheat = 1;
    waiter.duringTheRun = [&] { model.Close(); };
    model.Start();
    EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "close"), 0);
    EXPECT_EQ(view.history, Log{"pacman"});

    profile.ClearLog();
    model.Close();
    EXPECT_EQ(view.log.back(), "close");
    EXPECT_EQ(view.log[view.log.size() - 2], "save-history");
    EXPECT_EQ(profile.GetProfileInt(ProfileSection, "Cheat", 0), 1);
    EXPECT_EQ(display.Calls().back(), (Call{0, 0, true}));
}

// Without names the search lists set names; a pick from another folder keeps its path, and
// Next goes on from the picked game.
TEST_F(LauncherModelTest, APickedSetBecomesTheCurrentGame) {
    LauncherModel& model = StartUp();
    const auto rows = model.SearchGames("GA");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].label, "galaga");
    model.PickGame(rows[0].setName);
    EXPECT_EQ(view.text, "galaga");
    EXPECT_EQ(view.title, "Kestrun");

    view.browseAnswer = folder.WriteFile("other/aa.zip");
    folder.WriteFile("other/bb.zip");
    folder.WriteFile("other/cc.zip");
    model.Browse();
    model.PickGame(model.SearchGames("bb").at(0).setName);
    EXPECT_EQ(view.text, folder.Path() + "other/bb");
    model.StepGame(RomStep::Next);
    EXPECT_EQ(view.text, folder.Path() + "other/cc");
}

}  // namespace
}  // namespace kestrun
