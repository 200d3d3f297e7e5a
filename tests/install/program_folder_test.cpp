#include "install/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "tests/support/memory_profile_store.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

namespace fs = std::filesystem;

// Below a temporary root, usr/bin is the install layout's bin folder. Being writable, as
// /usr/bin is for root, makes no difference.
class ProgramFolderTest : public ::testing::Test {
  protected:
    ProgramFolderChoice Choose(const std::string& programFile, std::optional<std::string> option,
                               bool home = true) {
        const ProgramFolderRequest request{root_.Path() + programFile,
                                           {root_.Path() + "usr/bin", root_.Path() + "doc"},
                                           home ? root_.Path() + "home" : std::string(),
                                           std::move(option)};
        return ChooseProgramFolders(request, profile_);
    }

    testing::TempFolder root_;
    testing::MemoryProfileStore profile_;
};

TEST_F(ProgramFolderTest, InstalledWhenTheProgramStandsInTheInstallBinFolder) {
    root_.MakeFolder("usr/bin");
    fs::create_symlink(root_.Path() + "usr", root_.Path() + "link");
    const auto installedWith = [&](const char* binFolder) {
        return IsInstalledProgram(root_.Path() + "usr/bin/kestrun", {root_.Path() + binFolder, ""});
    };
    EXPECT_TRUE(installedWith("usr/bin/") && installedWith("link/bin") &&
                installedWith("usr/lib/../bin"));
    EXPECT_FALSE(installedWith("usr") || installedWith("usr/bin/games"));
    EXPECT_FALSE(IsInstalledProgram(root_.Path() + "usr/bin/kestrun", {}));
}

// One user's starts in turn: an own-folder copy ignores the option; for an installed program
// the option (relative to the current folder) is remembered over the home folder.
TEST_F(ProgramFolderTest, AnInstalledProgramTakesTheOptionTheRememberedOrTheHomeFolder) {
    const ProgramFolderChoice own = Choose("opt/kestrun", "games");
    EXPECT_EQ(own.folders.program, root_.Path() + "opt/");
    EXPECT_EQ(own.folders.help, root_.Path() + "opt/");
    EXPECT_FALSE(own.folders.installed || fs::exists(root_.Path() + "opt/roms"));

    const std::tuple<std::optional<std::string>, const char*, bool> starts[] = {
        {std::nullopt, "home/mame/", true},
        {std::nullopt, "home/mame/", false},
        {"games/./arcade", "games/arcade/", true},
        {std::nullopt, "games/arcade/", false}};
    const fs::path saved = fs::current_path();
    fs::current_path(root_.Path());
    for (const auto& [option, relative, made] : starts) {
        const std::string folder = root_.Path() + relative;
        SCOPED_TRACE(folder);
        const ProgramFolderChoice choice = Choose("usr/bin/kestrun", option);
        EXPECT_TRUE(choice.failure.empty() && choice.folders.installed);
        EXPECT_EQ(choice.folders.program, folder);
        EXPECT_EQ(choice.folders.help, root_.Path() + "doc/");
        EXPECT_EQ(choice.folders.madeGameFolders, made);
        EXPECT_TRUE(fs::is_directory(folder + "roms") && fs::is_directory(folder + "snap"));
    }
    fs::current_path(saved);

    // Without a usable folder the choice fails, and nothing is remembered.
    profile_ = testing::MemoryProfileStore();
    EXPECT_NE(Choose("usr/bin/kestrun", std::nullopt, false).failure.find("--folder"),
              std::string::npos);
    root_.WriteFile("blocked/snap", "a file in the way");
    const std::string failure = Choose("usr/bin/kestrun", root_.Path() + "blocked").failure;
    EXPECT_NE(failure.find(root_.Path() + "blocked/snap/"), std::string::npos) << failure;
    EXPECT_TRUE(profile_.Writes().empty());
}

}  // namespace
}  // namespace kestrun
