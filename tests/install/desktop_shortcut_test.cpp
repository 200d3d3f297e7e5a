#include "install/desktop_shortcut.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/desktop_folder.h"
#include "tests/install/file_helpers.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using testing::ReadWholeFile;

class DesktopTest : public ::testing::Test {
  protected:
    void WriteUserDirs(const std::string& content) const {
        home_.Folder().WriteFile("home/.config/user-dirs.dirs", content);
    }

    testing::TempHome home_;
    const std::string homeFolder_ = home_.Folder().Path() + "home";
    testing::ScriptedMessageBox messages_;
};

TEST_F(DesktopTest, DesktopFolderFollowsTheUserDirsFile) {
    const std::pair<const char*, const char*> cases[] = {
        // "~" stands for the home folder
        {"", "~/Desktop"},
        {"  XDG_DESKTOP_DIR=\"$HOME/Mon bureau/\"\n", "~/Mon bureau"},
        {"XDG_DESKTOP_DIR=\"$HOME/My \\\"Desk\\\"\"\n", "~/My \"Desk\""},
        {"XDG_DESKTOP_DIR=\"$HOME\"\n", "~"},
        {"XDG_DESKTOP_DIR=\"/srv/desk\"\n", "/srv/desk"},
        {"# XDG_DESKTOP_DIR=\"$HOME/Commented\"\n", "~/Desktop"},
        {"XDG_DESKTOP_DIR=\"relative\"\n", "~/Desktop"},
        {"XDG_DESKTOP_DIR=\"$HOMEWORK/x\"\n", "~/Desktop"},
        {"XDG_DESKTOP_DIR=\"$HOME/unterminated\n", "~/Desktop"},
        {"XDG_DESKTOP_DIR=\"$HOME/First\"\nXDG_DESKTOP_DIR=\"$HOME/Second\"\n", "~/Second"},
    };
    for (const auto& [content, folder] : cases) {
        WriteUserDirs(content);
        EXPECT_EQ(DesktopFolder(), *folder == '~' ? homeFolder_ + (folder + 1) : folder) << content;
    }
}

TEST_F(DesktopTest, ExecQuotesTheTargetByTheDesktopEntryRules) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/my games/kestrun", "\"/opt/my games/kestrun\""},
        {"/opt/a\"b/k", "\"/opt/a\\\\\"b/k\""},
        {"/opt/$HOME/`k`", "\"/opt/\\\\$HOME/\\\\`k\\\\`\""},
        {"/opt/back\\slash", "\"/opt/back\\\\\\\\slash\""},
        {"/opt/100%/k", "\"/opt/100%%/k\""},
        {"/opt/line\nbreak", "\"/opt/line\\nbreak\""},
    };
    for (const auto& [target, exec] : cases) {
        EXPECT_THAT(DesktopEntryText(target, "d"),
                    ::testing::HasSubstr(std::string("\nExec=") + exec + "\n"));
    }
}

// A missing desktop folder is made; an older entry is replaced. An unwritable desktop gives the
// save error and leaves nothing.
TEST_F(DesktopTest, ShortcutIsAnExecutableDesktopEntryOrTheSaveError) {
    WriteUserDirs("XDG_DESKTOP_DIR=\"$HOME/New/Bureau\"\n");
    for (const char* description : {"older", ShortcutDescription.data()}) {
        EXPECT_EQ(CreateDesktopShortcut("/opt/kestrun.exe", "/Kestrun", description, messages_), 0);
    }

    EXPECT_EQ(testing::NamesIn(homeFolder_ + "/New/Bureau"),
              std::set<std::string>{"Kestrun.desktop"});
    EXPECT_EQ(ReadWholeFile(homeFolder_ + "/New/Bureau/Kestrun.desktop"),
              "[Desktop Entry]\nType=Application\nName=Kestrun\n"
              "Comment=The fastest frontend in the web\nExec=\"/opt/kestrun.exe\"\n"
              "Icon=org.example.kestrun\n");
    EXPECT_EQ(std::filesystem::status(homeFolder_ + "/New/Bureau/Kestrun.desktop").permissions(),
              static_cast<std::filesystem::perms>(0755));
    EXPECT_TRUE(messages_.Shown().empty());

    home_.Folder().WriteFile("home/Blocked", "not a folder");
    WriteUserDirs("XDG_DESKTOP_DIR=\"$HOME/Blocked/Desktop\"\n");
    EXPECT_NE(CreateDesktopShortcut("/opt/kestrun.exe", "/Kestrun", "d", messages_), 0);
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].text, "IPersistFile->Save() Error");
    EXPECT_EQ(messages_.Shown()[0].caption, "Error");
    EXPECT_EQ(messages_.Shown()[0].icon, MessageIcon::None);
    EXPECT_EQ(ReadWholeFile(homeFolder_ + "/Blocked"), "not a folder");
}

}  // namespace
}  // namespace kestrun
