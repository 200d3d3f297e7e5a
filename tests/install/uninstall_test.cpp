#include "install/uninstall.h"

#include "install/desktop_shortcut.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/install/file_helpers.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using ::testing::ElementsAre;
using testing::Exists;

class UninstallTest : public ::testing::Test {
  protected:
    UninstallTest() {
        for (const char* name :
             {"kestrun", "mame.exe", "roms/005.zip", "snap/005.png", "artwork/005.zip"}) {
            program_.WriteFile(name);
        }
        profile_.WriteProfileInt(ProfileSection, "Shortcut", 1);
        profile_.WriteProfileInt(ProfileSection, "Mute", 1);
        profile_.WriteProfileString(ProfileSection, "RomSet0", "pacman");
        profile_.ClearLog();
        environment_.programFolder = program_.Path();
        environment_.startSelfDelete = [this] {
            events_.push_back(Exists(HelpFile()) || Exists(Shortcut()) ? "self-delete too early"
                                                                       : "self-delete");
        };
        environment_.endProcess = [this](int code) {
            events_.push_back("exit " + std::to_string(code));
        };
    }

    std::string Shortcut() const { return home_.Folder().Path() + "home/Desktop/Kestrun.desktop"; }
    std::string HelpFile() const { return program_.Path() + "kestrun.htm"; }
    std::string Icon() const { return UserIconPath(ProgramIconName, 64); }
    void InstallShortcutAndHelp() const {
        home_.Folder().WriteFile("home/Desktop/Kestrun.desktop");
        home_.Folder().WriteFile("home/.local/share/icons/hicolor/64x64/apps/" +
                                 std::string(ProgramIconName) + ".png");
        program_.WriteFile("kestrun.htm");
    }

    testing::TempHome home_;
    testing::TempFolder program_;
    testing::MemoryProfileStore profile_;
    testing::ScriptedMessageBox messages_;
    UninstallEnvironment environment_;
    std::vector<std::string> events_;
};

// No changes nothing; Yes removes the shortcut, icon and help file, present or not, sets the
// shortcut key to 0 and ends the program after starting the self-deletion.
TEST_F(UninstallTest, OnlyAConfirmedUninstallRemovesTheComponentsAndEnds) {
    const struct {
        MessageResult answer;
        bool present;
    } runs[] = {{MessageResult::No, true}, {MessageResult::Yes, true}, {MessageResult::Yes, false}};
    for (const auto& run : runs) {
        const bool yes = run.answer == MessageResult::Yes;
        SCOPED_TRACE(std::string(yes ? "Yes" : "No") + (run.present ? ", present" : ", absent"));
        if (run.present) {
            InstallShortcutAndHelp();
        }
        profile_.WriteProfileInt(ProfileSection, "Shortcut", 1);
        profile_.ClearLog();
        messages_ = testing::ScriptedMessageBox();
        messages_.Answer(run.answer);
        events_.clear();

        UninstallProgram(messages_, profile_, environment_);

        ASSERT_EQ(messages_.Shown().size(), 1u);
        const MessageBoxRequest& question = messages_.Shown()[0];
        EXPECT_EQ(question.text,
                  "Are you sure you want to completely remove Kestrun and all of its components?");
        EXPECT_EQ(question.caption, "Confirm File Deletion");
        EXPECT_EQ(question.buttons, MessageButtons::YesNo);
        EXPECT_EQ(question.icon, MessageIcon::Question);
        EXPECT_EQ(Exists(Shortcut()), !yes);
        EXPECT_EQ(Exists(Icon()), !yes);
        EXPECT_EQ(Exists(HelpFile()), !yes);
        EXPECT_THAT(testing::NamesIn(program_.Path()),
                    ::testing::IsSupersetOf({"artwork", "kestrun", "mame.exe", "roms", "snap"}));
        EXPECT_EQ(profile_.Writes().size(), yes ? 1u : 0u);
        EXPECT_THAT(profile_.Values(), ::testing::UnorderedElementsAre(
                                           ::testing::Pair("Kestrun/Shortcut", yes ? "0" : "1"),
                                           ::testing::Pair("Kestrun/Mute", "1"),
                                           ::testing::Pair("Kestrun/RomSet0", "pacman")));
        const std::vector<std::string> ended{"self-delete", "exit 0"};
        EXPECT_EQ(events_, yes ? ended : std::vector<std::string>{});
    }
}

// The package manager owns an installed program's files: Uninstall says how to remove the
// package, and Yes removes only the shortcut; the program goes on.
TEST_F(UninstallTest, AnInstalledProgramPointsToThePackageManagerAndRemovesOnlyTheShortcut) {
    environment_.installed = true;
    for (const MessageResult answer : {MessageResult::No, MessageResult::Yes}) {
        const bool yes = answer == MessageResult::Yes;
        SCOPED_TRACE(yes ? "Yes" : "No");
        InstallShortcutAndHelp();
        messages_ = testing::ScriptedMessageBox();
        messages_.Answer(answer);
        profile_.ClearLog();

        UninstallProgram(messages_, profile_, environment_);

        ASSERT_EQ(messages_.Shown().size(), 1u);
        EXPECT_NE(messages_.Shown()[0].text.find("apt remove kestrun"), std::string::npos);
        EXPECT_EQ(messages_.Shown()[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(Exists(Shortcut()), !yes);
        EXPECT_TRUE(Exists(Icon()));
        EXPECT_TRUE(Exists(HelpFile()));
        EXPECT_THAT(testing::NamesIn(program_.Path()),
                    ElementsAre("artwork", "kestrun", "kestrun.htm", "mame.exe", "roms", "snap"));
        EXPECT_EQ(profile_.Writes().size(), yes ? 1u : 0u);
        EXPECT_EQ(profile_.GetProfileInt(ProfileSection, "Shortcut", 1), yes ? 0 : 1);
        EXPECT_TRUE(events_.empty());
    }
}

}  // namespace
}  // namespace kestrun
