#include "launch/emulator_selection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using testing::NoMameOnPath;
using testing::ScriptedMessageBox;
using testing::TempFolder;

constexpr const char* NotFoundText = "Kestrun and MAME should be installed in the same folder.";

// Leaves exactly the given files and folders in the program folder.
void Install(const TempFolder& program, const char* files, const char* folders) {
    for (const auto& entry : std::filesystem::directory_iterator(program.Path())) {
        std::filesystem::remove_all(entry.path());
    }
    std::istringstream fileNames(files), folderNames(folders);
    for (std::string name; fileNames >> name;) {
        program.WriteFile(name);
    }
    for (std::string name; folderNames >> name;) {
        program.MakeFolder(name);
    }
}

// One folder for every row, so a choice remembered from an earlier Start shows.
TEST(SelectEmulator, ChoosesByWhatIsInstalledAndTheMame32Option) {
    const NoMameOnPath noMameOnPath;
    struct Case {
        const char* files;
        const char* folders;
        std::int32_t mame32;
        const char* chosen;  // nullptr: none found
        bool detachKept;
        bool offersMame32;
    };
    const Case cases[] = {
        {"mame.exe", "", 1, "mame.exe", true, false},
        {"mame.exe mamepp.exe", "", 1, "mamepp.exe", true, false},
        {"mamepp.exe mame32.exe", "", 0, "mamepp.exe", true, true},
        {"mamepp.exe mame32.exe", "", 1, "mame32.exe", false, true},
        {"mamepp.exe mame32.exe", "", -1, "mame32.exe", false, true},
        {"", "mame.exe", 0, nullptr, false, false},
        {"mame32.exe", "", 0, "mame32.exe", false, false},
        {"mame.exe mame32.exe", "", 0, "mame32.exe", false, false},
        {"mame.exe mamepp.exe mame32.exe", "", 0, "mamepp.exe", true, true},
        {"mame.exe", "mamepp.exe mame32.exe", 1, "mame.exe", true, false},
        {"", "", 0, nullptr, false, false},
    };
    TempFolder program;
    for (const Case& c : cases) {
        Install(program, c.files, c.folders);
        SCOPED_TRACE(std::string(c.files) + " / " + std::to_string(c.mame32));
        ScriptedMessageBox messages;
        const auto command = SelectEmulator(program.Path(), "\"pacman\"", c.mame32, true, messages);
        ScriptedMessageBox question;
        question.Answer(MessageResult::Cancel);

        EXPECT_EQ(OffersMame32Choice(program.Path()), c.offersMame32);
        EXPECT_EQ(ConfirmEmulatorInstalled(program.Path(), question), c.chosen != nullptr);
        if (c.chosen == nullptr) {
            EXPECT_FALSE(command.has_value());
            ASSERT_EQ(messages.Shown().size(), 1u);
            EXPECT_EQ(messages.Shown()[0].text, NotFoundText);
            EXPECT_EQ(messages.Shown()[0].caption, "mame not found");
            EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Exclamation);
            ASSERT_EQ(question.Shown().size(), 1u);
            EXPECT_EQ(question.Shown()[0].text, std::string(NotFoundText) + " Proceed Anyway?");
            EXPECT_EQ(question.Shown()[0].caption, "mame not found");
            EXPECT_EQ(question.Shown()[0].buttons, MessageButtons::OkCancel);
            EXPECT_EQ(question.Shown()[0].icon, MessageIcon::Exclamation);
            EXPECT_EQ(question.Shown()[0].defaultButton, 1);
            question.Answer(MessageResult::Ok);
            EXPECT_TRUE(ConfirmEmulatorInstalled(program.Path(), question));
            continue;
        }
        ASSERT_TRUE(command.has_value());
        EXPECT_EQ(command->commandLine, std::string(c.chosen) + " \"pacman\"");
        EXPECT_EQ(command->detach, c.detachKept);
        EXPECT_TRUE(messages.Shown().empty());
        EXPECT_TRUE(question.Shown().empty());
    }
}

// Where none of the Windows names is, a native MAME serves as mame.exe: first one beside the
// program, then one on PATH (a folder with a blank in its name comes out quoted).
TEST(SelectEmulator, FallsBackToANativeMameBesideTheProgramThenOnPath) {
    const NoMameOnPath restoresPath;
    TempFolder bin;
    const std::string pathMame = bin.WriteFile("my games/mame");
    ::setenv("PATH", (bin.Path() + "none:" + bin.Path() + "my games").c_str(), 1);
    using std::filesystem::perms;
    struct Case {
        const char* files;
        bool besideRunnable;
        bool onPathRunnable;
        std::string commandLine;  // empty: none found
        std::string executable;
    };
    const Case cases[] = {
        {"mame", true, true, "mame \"pacman\"", "mame"},
        {"mame.exe mame", true, true, "mame.exe \"pacman\"", "mame.exe"},
        {"mame", false, true, "\"" + pathMame + "\" \"pacman\"", pathMame},
        {"mame", false, false, "", ""},
    };
    for (const Case& c : cases) {
        TempFolder program;
        Install(program, c.files, "");
        std::filesystem::permissions(program.Path() + "mame",
                                     c.besideRunnable ? perms::owner_all : perms::owner_read);
        std::filesystem::permissions(pathMame,
                                     c.onPathRunnable ? perms::owner_all : perms::owner_read);
        ScriptedMessageBox messages;
        const auto command = SelectEmulator(program.Path(), "\"pacman\"", 0, true, messages);
        SCOPED_TRACE(c.commandLine);
        ASSERT_EQ(command.has_value(), !c.commandLine.empty());
        if (command) {
            EXPECT_EQ(command->commandLine, c.commandLine);
            EXPECT_EQ(command->executable,
                      c.executable == pathMame ? pathMame : program.Path() + c.executable);
            EXPECT_EQ(command->captionName, "MAME");
            EXPECT_TRUE(command->detach);
        }
    }
}

TEST(EmulatorCaptionName, IsTheExecutableBeforeItsFirstDotInUpperCase) {
    EXPECT_EQ(EmulatorCaptionName("mame.exe \"pacman\" -norc"), "MAME");
    EXPECT_EQ(EmulatorCaptionName("mamepp.exe \"pacman.zip\""), "MAMEPP");
    EXPECT_EQ(EmulatorCaptionName("mame32.exe \"pacman\""), "MAME32");
}

}  // namespace
}  // namespace kestrun
