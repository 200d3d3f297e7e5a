#include "install/desktop_shortcut.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/desktop_folder.h"
#include "tests/install/file_helpers.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::NamesIn;
using testing::ReadWholeFile;

class DesktopTest : public ::testing::Test {
  protected:
    std::string Home() const { return home_.Folder().Path() + "home"; }
    void WriteUserDirs(const std::string& content) const {
        home_.Folder().WriteFile("home/.config/user-dirs.dirs", content);
    }

    testing::TempHome home_;
    testing::ScriptedMessageBox messages_;
};

struct UserDirsCase {
    const char* content;
    const char* expected;  // "~" stands for the home folder
};

TEST_F(DesktopTest, DesktopFolderFollowsTheUserDirsFile) {
    const UserDirsCase cases[] = {
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
    for (const UserDirsCase& test : cases) {
        WriteUserDirs(test.content);
        std::string expected = test.expected;
        if (expected.starts_with('~')) {
            expected.replace(0, 1, Home());
        }
        EXPECT_EQ(DesktopFolder(), expected) << test.content;
    }
}

TEST_F(DesktopTest, ExecQuotesTheTargetByTheDesktopEntryRules) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/kestrun/kestrun.exe", "Exec=\"/opt/kestrun/kestrun.exe\""},
        {"/opt/my games/kestrun.exe", "Exec=\"/opt/my games/kestrun.exe\""},
        {"/opt/a\"b/k", "Exec=\"/opt/a\\\\\"b/k\""},
        {"/opt/$HOME/`k`", "Exec=\"/opt/\\\\$HOME/\\\\`k\\\\`\""},
        {"/opt/back\\slash", "Exec=\"/opt/back\\\\\\\\slash\""},
        {"/opt/100%/k", "Exec=\"/opt/100%%/k\""},
        {"/opt/line\nbreak", "Exec=\"/opt/line\\nbreak\""},
    };
    for (const auto& [target, execLine] : cases) {
        EXPECT_THAT(DesktopEntryText(target, "d"),
                    ::testing::HasSubstr(std::string("\n") + execLine + "\n"))
            << target;
    }
}

// A missing desktop folder is made; an older entry is replaced.
TEST_F(DesktopTest, ShortcutIsAnExecutableDesktopEntryInTheDesktopFolder) {
    WriteUserDirs("XDG_DESKTOP_DIR=\"$HOME/New/Bureau\"\n");
    const std::string desktop = Home() + "/New/Bureau";
    for (const char* description : {"older", ShortcutDescription.data()}) {
        EXPECT_EQ(CreateDesktopShortcut("/opt/my games/kestrun.exe", std::string(ShortcutLinkName),
                                        description, messages_),
                  0);
    }

    EXPECT_EQ(ReadWholeFile(desktop + "/Kestrun.desktop"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Kestrun\n"
              "Comment=The fastest frontend in the web\n"
              "Exec=\"/opt/my games/kestrun.exe\"\n"
              "Icon=org.example.kestrun\n");
    struct stat info {};
    ASSERT_EQ(::stat((desktop + "/Kestrun.desktop").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
    EXPECT_THAT(NamesIn(desktop), ElementsAre("Kestrun.desktop"));
    EXPECT_THAT(messages_.Shown(), IsEmpty());
}

TEST_F(DesktopTest, TheIconGoesIntoTheUserThemeAtEachSizeAndCanBeRemoved) {
    const IconFile files[] = {{48, "png 48"}, {128, "png 128"}};
    const std::string apps = Home() + "/.local/share/icons/hicolor/";

    EXPECT_EQ(InstallUserIcon(ProgramIconName, files), 0);

    EXPECT_EQ(ReadWholeFile(apps + "48x48/apps/org.example.kestrun.png"), "png 48");
    EXPECT_EQ(ReadWholeFile(apps + "128x128/apps/org.example.kestrun.png"), "png 128");
    RemoveUserIcon(ProgramIconName);
    EXPECT_THAT(NamesIn(apps + "48x48/apps"), IsEmpty());
    EXPECT_THAT(NamesIn(apps + "128x128/apps"), IsEmpty());
}

TEST_F(DesktopTest, UnwritableDesktopGivesTheSaveErrorAndLeavesNothing) {
    // A file stands where the desktop's parent folder should be.
    home_.Folder().WriteFile("home/Blocked", "not a folder");
    WriteUserDirs("XDG_DESKTOP_DIR=\"$HOME/Blocked/Desktop\"\n");

    EXPECT_NE(CreateDesktopShortcut("/opt/kestrun.exe", "/Kestrun", "d", messages_), 0);

    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].text, "IPersistFile->Save() Error");
    EXPECT_EQ(messages_.Shown()[0].caption, "Error");
    EXPECT_EQ(messages_.Shown()[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages_.Shown()[0].icon, MessageIcon::None);
    EXPECT_EQ(ReadWholeFile(Home() + "/Blocked"), "not a folder");
}

}  // namespace
}  // namespace kestrun
