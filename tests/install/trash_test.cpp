#include "platform/trash.h"

#include "install/shell_delete.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "tests/install/file_helpers.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using std::filesystem::exists;
using ::testing::ElementsAre;
using testing::NamesIn;
using testing::ReadWholeFile;

class TrashTest : public ::testing::Test {
  protected:
    testing::TempHome home_;
    const std::string trash_ = home_.Folder().Path() + "home/.local/share/Trash/";
    testing::TempFolder files_;
    testing::ScriptedMessageBox messages_;
};

TEST_F(TrashTest, MovesTheObjectAndRecordsItsEncodedPathTimeAndNumberedName) {
    const std::string original = files_.WriteFile("snap dir/pac man%.png", "picture");
    ASSERT_THAT(files_.Path(), ::testing::MatchesRegex("[A-Za-z0-9/_.-]*"));

    ASSERT_EQ(MoveToTrash(original), 0);

    EXPECT_FALSE(exists(original));
    EXPECT_EQ(ReadWholeFile(trash_ + "files/pac man%.png"), "picture");
    EXPECT_THAT(ReadWholeFile(trash_ + "info/pac man%.png.trashinfo"),
                ::testing::MatchesRegex(
                    "\\[Trash Info\\]\nPath=" + files_.Path() + "snap%20dir/pac%20man%25.png\n" +
                    "DeletionDate=[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\n"));

    // Same names get numbered before the extension; missing objects leave no trace.
    ASSERT_EQ(MoveToTrash(files_.WriteFile("a/shot.png", "first")), 0);
    ASSERT_EQ(MoveToTrash(files_.WriteFile("b/shot.png", "second")), 0);
    files_.WriteFile("d/snap/other.png");
    ASSERT_EQ(MoveToTrash(files_.MakeFolder("c/snap") + "/"), 0);
    ASSERT_EQ(MoveToTrash(files_.Path() + "d/snap"), 0);
    EXPECT_EQ(MoveToTrash(files_.Path() + "absent.png"), ENOENT);
    EXPECT_EQ(MoveToTrash(""), ENOENT);

    EXPECT_THAT(NamesIn(trash_ + "files"),
                ElementsAre("pac man%.png", "shot.2.png", "shot.png", "snap", "snap.2"));
    EXPECT_EQ(ReadWholeFile(trash_ + "files/shot.2.png"), "second");
    EXPECT_THAT(NamesIn(trash_ + "files/snap.2"), ElementsAre("other.png"));
    EXPECT_THAT(ReadWholeFile(trash_ + "info/shot.2.png.trashinfo"),
                ::testing::HasSubstr("Path=" + files_.Path() + "b/shot.png\n"));
    EXPECT_EQ(NamesIn(trash_ + "info").size(), 5u);

    // A fresh account has no data folder yet; without a home nothing is made at the root.
    const std::string freshHome = files_.MakeFolder("fresh home");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", freshHome.c_str(), 1);
    ASSERT_EQ(MoveToTrash(files_.WriteFile("pacman.png", "picture")), 0);
    EXPECT_EQ(ReadWholeFile(freshHome + "/.local/share/Trash/files/pacman.png"), "picture");
    EXPECT_EQ(std::filesystem::status(freshHome + "/.local").permissions(),
              std::filesystem::perms::owner_all);

    ::setenv("HOME", "relative", 1);
    EXPECT_EQ(MoveToTrash(files_.WriteFile("galaga.png")), ENOENT);
    EXPECT_TRUE(exists(files_.Path() + "galaga.png"));
}

// A fresh object asks before trashing and shows failures; after a permanent deletion, whose
// flags it keeps, a trash deletion asks nothing and shows no failure. Overlong paths are
// refused.
TEST_F(TrashTest, ShellDeleteAsksAndWarnsOnlyUntilItDeletedPermanently) {
    const std::string kept = files_.WriteFile("snap/kept.png");
    const std::string trashed = files_.WriteFile("snap/trashed.png");
    files_.WriteFile("folder/sub/inner.txt");
    const std::string later = files_.WriteFile("snap/005.png");
    messages_.Answer(MessageResult::No);
    messages_.Answer(MessageResult::Yes);
    CShellDelete shell(messages_);

    EXPECT_EQ(shell.DeletePath(kept, false), ECANCELED);
    EXPECT_EQ(shell.DeletePath(trashed, false), 0);
    EXPECT_EQ(shell.DeletePath(files_.Path() + "absent.png", false), ENOENT);
    EXPECT_EQ(shell.DeletePath(files_.Path() + "folder", true), 0);
    EXPECT_EQ(shell.DeletePath(later, false), 0);
    EXPECT_EQ(shell.DeletePath(files_.Path() + "absent.png", false), ENOENT);

    EXPECT_THAT(NamesIn(files_.Path()), ElementsAre("snap"));
    EXPECT_THAT(NamesIn(files_.Path() + "snap"), ElementsAre("kept.png"));
    EXPECT_THAT(NamesIn(trash_ + "files"), ElementsAre("005.png", "trashed.png"));
    ASSERT_EQ(messages_.Shown().size(), 3u);
    EXPECT_EQ(messages_.Shown()[0].text, "Are you sure you want to move 'kept.png' to the trash?");
    EXPECT_EQ(messages_.Shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages_.Shown()[0].icon, MessageIcon::Question);
    EXPECT_EQ(messages_.Shown()[2].text, "Cannot delete absent.png: No such file or directory.");
    EXPECT_EQ(messages_.Shown()[2].icon, MessageIcon::Stop);

    std::string relative;
    while (files_.Path().size() + relative.size() <= 260) {
        relative += "long-folder-name/";
    }
    const std::string overlong = files_.WriteFile(relative + "x.png");
    EXPECT_EQ(shell.DeletePath(overlong, true), ENAMETOOLONG);
    EXPECT_TRUE(exists(overlong));
}

}  // namespace
}  // namespace kestrun
