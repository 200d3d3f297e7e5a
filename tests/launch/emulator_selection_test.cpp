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

void Install(const TempFolder& program, const char* files, const char* folders) {
    std::istringstream fileNames(files), folderNames(folders);
    for (std::string name; fileNames >> name;) {
        program.WriteFile(name);
    }
    for (std::string name; folderNames >> name;) {
        program.MakeFolder(name);
    }
}

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
        {"mame32.exe", "", 0, "mame32.exe", false, false},
        {"mame.exe mame32.exe", "", 0, "mame32.exe", false, false},
        {"mame.exe mamepp.exe mame32.exe", "", 0, "mamepp.exe", true, true},
        {"mame.exe", "mamepp.exe mame32.exe", 1, "mame.exe", true, false},
        {"", "mame.exe", 0, nullptr, false, false},
        {"", "", 0, nullptr, false, false},
    };
    for (const Case& c : cases) {
        TempFolder program;
        Install(program, c.files, c.folders);
        ScriptedMessageBox messages;
        const auto command = SelectEmulator(program.Path(), "\"pacman\"", c.mame32, true, messages);
        const std::string label = std::string(c.files) + " / " + std::to_string(c.mame32);

        EXPECT_EQ(OffersMame32Choice(program.Path()), c.offersMame32) << label;
        if (c.chosen == nullptr) {
            EXPECT_FALSE(command.has_value()) << label;
            ASSERT_EQ(messages.Shown().size(), 1u) << label;
            EXPECT_EQ(messages.Shown()[0].text, NotFoundText);
            EXPECT_EQ(messages.Shown()[0].caption, "mame not found");
            EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Exclamation);
            continue;
        }
        ASSERT_TRUE(command.has_value()) << label;
        EXPECT_EQ(command->commandLine, std::string(c.chosen) + " \"pacman\"") << label;
        EXPECT_EQ(command->detach, c.detachKept) << label;
        EXPECT_TRUE(messages.Shown().empty()) << label;
    }
}

TEST(SelectEmulator, SeesFilesAddedAndRemovedBetweenStarts) {
    const NoMameOnPath noMameOnPath;
    TempFolder program;
    ScriptedMessageBox messages;
    const auto chosen = [&] {
        const auto command = SelectEmulator(program.Path(), "\"pacman\"", 0, false, messages);
        return command ? command->commandLine : "none";
    };
    EXPECT_EQ(chosen(), "none");
    program.WriteFile("mame.exe");
    EXPECT_EQ(chosen(), "mame.exe \"pacman\"");
    program.WriteFile("mame32.exe");
    EXPECT_EQ(chosen(), "mame32.exe \"pacman\"");
    std::filesystem::remove(program.Path() + "mame32.exe");
    EXPECT_EQ(chosen(), "mame.exe \"pacman\"");
}

TEST(ConfirmEmulatorInstalled, AsksOnlyWhenNoEmulatorIsThereWithCancelAsDefault) {
    const NoMameOnPath noMameOnPath;
    struct Case {
        const char* installed;
        MessageResult answer;
        bool goesOn;
    };
    const Case cases[] = {
        {"mame32.exe", MessageResult::Cancel, true},
        {"", MessageResult::Cancel, false},
        {"", MessageResult::Ok, true},
    };
    for (const Case& c : cases) {
        TempFolder program;
        Install(program, c.installed, "mame.exe");
        ScriptedMessageBox messages;
        messages.Answer(c.answer);

        EXPECT_EQ(ConfirmEmulatorInstalled(program.Path(), messages), c.goesOn) << c.installed;
        const bool asked = *c.installed == '\0';
        ASSERT_EQ(messages.Shown().size(), asked ? 1u : 0u) << c.installed;
        if (asked) {
            const MessageBoxRequest& question = messages.Shown()[0];
            EXPECT_EQ(question.text, std::string(NotFoundText) + " Proceed Anyway?");
            EXPECT_EQ(question.caption, "mame not found");
            EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
            EXPECT_EQ(question.icon, MessageIcon::Exclamation);
            EXPECT_EQ(question.defaultButton, 1);
        }
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
