#include "launch/emulator_selection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using std::filesystem::perms;
using namespace std::string_literals;
using testing::NoMameOnPath;
using testing::ScriptedMessageBox;
using testing::TempFolder;

TEST(SelectEmulator, ChoosesByWhatIsInstalledAndTheMame32Option) {
    const NoMameOnPath noMameOnPath;
    struct Case {
        const char* installed;  // folders end in '/'
        std::int32_t mame32;
        const char* chosen;  // empty: none found
        bool detachKept;
    };
    const Case cases[] = {
        {"mame.exe mamepp.exe", 1, "mamepp.exe", true},
        {"mamepp.exe mame32.exe", 0, "mamepp.exe", true},
        {"mamepp.exe mame32.exe", -1, "mame32.exe", false},
        {"mame.exe mame32.exe", 0, "mame32.exe", false},
        {"mame.exe mamepp.exe/ mame32.exe/", 1, "mame.exe", true},
        {"mame.exe/", 0, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.installed) + " / " + std::to_string(c.mame32));
        TempFolder program;
        std::istringstream names(c.installed);
        for (std::string name; names >> name;) {
            name.ends_with('/') ? program.MakeFolder(name) : program.WriteFile(name);
        }
        ScriptedMessageBox messages;
        const auto command = SelectEmulator(program.Path(), "\"pacman\"", c.mame32, true, messages);
        EXPECT_EQ(command ? command->commandLine : "", *c.chosen ? c.chosen + " \"pacman\""s : "");
        EXPECT_EQ(command && command->detach, c.detachKept);
        EXPECT_EQ(messages.Shown().size(), *c.chosen ? 0u : 1u);  // its text: in the Start's tests
    }
}

// Where none of the Windows names is, a native MAME serves as mame.exe: first one beside the
// program, then one on PATH (a folder with a blank in its name comes out quoted). Without any,
// the start-up asks whether to go on.
TEST(SelectEmulator, FallsBackToANativeMameBesideTheProgramThenOnPathElseAsks) {
    const NoMameOnPath restoresPath;
    TempFolder bin, program;
    const std::string pathMame = bin.WriteFile("my games/mame");
    std::filesystem::permissions(pathMame, perms::owner_all);
    ::setenv("PATH", (bin.Path() + "none:" + bin.Path() + "my games").c_str(), 1);
    const std::string beside = program.WriteFile("mame");
    ScriptedMessageBox messages;
    const auto fromPath = SelectEmulator(program.Path(), "\"pacman\"", 0, true, messages);
    ASSERT_TRUE(fromPath);
    EXPECT_EQ(fromPath->commandLine, "\"" + pathMame + "\" \"pacman\"");
    EXPECT_EQ(fromPath->executable, pathMame);
    EXPECT_TRUE(fromPath->detach);
    std::filesystem::permissions(beside, perms::owner_all);
    EXPECT_EQ(SelectEmulator(program.Path(), "\"pacman\"", 0, true, messages)->executable, beside);
    EXPECT_TRUE(messages.Shown().empty());
    std::filesystem::remove(beside);
    std::filesystem::remove(pathMame);
    messages.Answer(MessageResult::Cancel);
    EXPECT_FALSE(ConfirmEmulatorInstalled(program.Path(), messages));
    EXPECT_TRUE(ConfirmEmulatorInstalled(program.Path(), messages));
    EXPECT_EQ(messages.Shown().at(0).text,
              "Kestrun and MAME should be installed in the same folder. Proceed Anyway?");
    EXPECT_EQ(messages.Shown()[0].defaultButton, 1);
}

}  // namespace
}  // namespace kestrun
