#include "install/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "tests/support/memory_profile_store.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

namespace fs = std::filesystem;

// A prefix below a temporary root: usr/bin holds an installed program, opt/kestrun a copy in
// its own folder. Being writable, as /usr/bin is for root, makes no difference.
class ProgramFolderTest : public ::testing::Test {
  protected:
    ProgramFolderTest() {
        root_.MakeFolder("usr/bin");
        root_.MakeFolder("home");
        fs::create_symlink(root_.Path() + "usr", root_.Path() + "usr-link");
    }
    ~ProgramFolderTest() override { fs::current_path(savedFolder_); }

    ProgramFolderRequest Request(const std::string& programFile, const std::string& binFolder) {
        return {root_.Path() + programFile,
                {root_.Path() + binFolder, root_.Path() + "usr/share/doc/kestrun"},
                root_.Path() + "home",
                std::nullopt};
    }

    testing::TempFolder root_;
    testing::MemoryProfileStore profile_;
    fs::path savedFolder_ = fs::current_path();
};

TEST_F(ProgramFolderTest, InstalledWhenTheProgramStandsInTheInstallBinFolder) {
    struct Case {
        const char* programFile;
        const char* binFolder;
        bool installed;
    };
    const Case cases[] = {
        {"usr/bin/kestrun", "usr/bin", true},        {"usr/bin/kestrun", "usr/bin/", true},
        {"usr/bin/kestrun", "usr-link/bin", true},   {"usr/bin/kestrun", "usr/./lib/../bin", true},
        {"usr/bin/games/kestrun", "usr/bin", false}, {"usr/local/bin/kestrun", "usr/bin", false},
        {"opt/kestrun/kestrun", "usr/bin", false},
    };
    for (const Case& c : cases) {
        const ProgramFolderRequest request = Request(c.programFile, c.binFolder);
        EXPECT_EQ(IsInstalledProgram(request.programFile, request.layout), c.installed)
            << c.programFile << " in " << c.binFolder;
    }
    EXPECT_FALSE(IsInstalledProgram(root_.Path() + "usr/bin/kestrun", {}));
}

TEST_F(ProgramFolderTest, ChoosesTheOwnOptionRememberedOrHomeFolderAndMakesItsGameFolders) {
    struct Case {
        const char* name;
        const char* programFile;
        std::optional<std::string> option;      // relative to the root, the current folder
        std::optional<std::string> remembered;  // relative to the root
        bool hasHome;
        const char* expected;  // relative to the root; empty for a failure
        bool remembers;
    };
    const Case cases[] = {
        {"own folder", "opt/kestrun/kestrun", "games", std::nullopt, true, "opt/kestrun/", false},
        {"home", "usr/bin/kestrun", std::nullopt, std::nullopt, true, "home/mame/", false},
        {"option", "usr/bin/kestrun", "games/./arcade/", "old", true, "games/arcade/", true},
        {"remembered", "usr/bin/kestrun", std::nullopt, "old", true, "old/", false},
        {"remembered without home", "usr/bin/kestrun", std::nullopt, "kept", false, "kept/", false},
        {"no home", "usr/bin/kestrun", std::nullopt, std::nullopt, false, "", false},
    };
    fs::current_path(root_.Path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        profile_ = testing::MemoryProfileStore();
        if (c.remembered) {
            profile_.WriteProfileString(ProfileSection, ProgramFolderKey,
                                        root_.Path() + *c.remembered);
        }
        ProgramFolderRequest request = Request(c.programFile, "usr/bin");
        request.folderOption = c.option;
        if (!c.hasHome) {
            request.home.clear();
        }
        profile_.ClearLog();

        const ProgramFolderChoice choice = ChooseProgramFolders(request, profile_);

        const bool installed = c.programFile == std::string("usr/bin/kestrun");
        EXPECT_EQ(choice.folders.installed, installed);
        if (*c.expected == '\0') {
            EXPECT_NE(choice.failure.find("--folder"), std::string::npos) << choice.failure;
            continue;
        }
        EXPECT_EQ(choice.failure, "");
        const std::string expected = root_.Path() + c.expected;
        EXPECT_EQ(choice.folders.program, expected);
        EXPECT_EQ(choice.folders.help,
                  installed ? root_.Path() + "usr/share/doc/kestrun/" : expected);
        EXPECT_EQ(choice.folders.madeGameFolders, installed);
        EXPECT_EQ(fs::is_directory(expected + "roms") && fs::is_directory(expected + "snap"),
                  installed);
        EXPECT_EQ(profile_.Writes().size(), c.remembers ? 1u : 0u);
        if (c.remembers) {
            EXPECT_EQ(profile_.GetProfileString(ProfileSection, ProgramFolderKey, ""), expected);
        }
        // The next start finds the folders made.
        EXPECT_FALSE(ChooseProgramFolders(request, profile_).folders.madeGameFolders);
    }
}

TEST_F(ProgramFolderTest, AGameFolderThatCannotBeMadeIsAFailureAndNotRemembered) {
    root_.WriteFile("games/snap", "a file in the way");
    ProgramFolderRequest request = Request("usr/bin/kestrun", "usr/bin");
    request.folderOption = root_.Path() + "games";

    const ProgramFolderChoice choice = ChooseProgramFolders(request, profile_);

    EXPECT_NE(choice.failure.find(root_.Path() + "games/snap/"), std::string::npos)
        << choice.failure;
    EXPECT_TRUE(profile_.Writes().empty());
}

}  // namespace
}  // namespace kestrun
