#include "install/shell_delete.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>

#include "tests/install/file_helpers.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using ::testing::ElementsAre;
using testing::Exists;
using ::testing::IsEmpty;
using testing::NamesIn;

class ShellDeleteTest : public ::testing::Test {
  protected:
    std::vector<std::string> Trashed() const {
        return NamesIn(home_.Folder().Path() + "home/.local/share/Trash/files");
    }

    testing::TempHome home_;
    testing::TempFolder files_;
    testing::ScriptedMessageBox messages_;
    CShellDelete shell_{messages_};
};

TEST_F(ShellDeleteTest, TrashModeOnAFreshObjectAsksFirst) {
    const std::string kept = files_.WriteFile("snap/kept.png");
    const std::string trashed = files_.WriteFile("snap/trashed.png");
    messages_.Answer(MessageResult::No);
    messages_.Answer(MessageResult::Yes);

    EXPECT_EQ(shell_.DeletePath(kept, false), ECANCELED);
    EXPECT_EQ(shell_.DeletePath(trashed, false), 0);

    EXPECT_TRUE(Exists(kept));
    EXPECT_FALSE(Exists(trashed));
    EXPECT_THAT(Trashed(), ElementsAre("trashed.png"));
    ASSERT_EQ(messages_.Shown().size(), 2u);
    const MessageBoxRequest& question = messages_.Shown()[0];
    EXPECT_EQ(question.text, "Are you sure you want to move 'kept.png' to the trash?");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.icon, MessageIcon::Question);
}

TEST_F(ShellDeleteTest, PermanentDeletionsLeaveLaterTrashDeletionsSilent) {
    files_.WriteFile("kestrun.htm");
    files_.WriteFile("folder/sub/inner.txt");
    const std::string snapshot = files_.WriteFile("snap/005.png");

    EXPECT_EQ(shell_.DeletePath(files_.Path() + "kestrun.htm", true), 0);
    EXPECT_EQ(shell_.DeletePath(files_.Path() + "folder", true), 0);
    EXPECT_THAT(Trashed(), IsEmpty());
    EXPECT_EQ(shell_.DeletePath(snapshot, false), 0);
    EXPECT_EQ(shell_.DeletePath(files_.Path() + "snap/absent.png", false), ENOENT);

    EXPECT_THAT(NamesIn(files_.Path()), ElementsAre("snap"));
    EXPECT_THAT(Trashed(), ElementsAre("005.png"));
    EXPECT_THAT(messages_.Shown(), IsEmpty());
}

TEST_F(ShellDeleteTest, FailuresAreShownOnlyWithoutTheNoErrorFlag) {
    const std::string absent = files_.Path() + "absent.png";

    EXPECT_EQ(shell_.DeletePath(absent, false), ENOENT);
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].text, "Cannot delete absent.png: No such file or directory.");
    EXPECT_EQ(messages_.Shown()[0].icon, MessageIcon::Stop);

    CShellDelete permanent(messages_);
    EXPECT_EQ(permanent.DeletePath(absent, true), ENOENT);
    EXPECT_EQ(messages_.Shown().size(), 1u);
}

TEST_F(ShellDeleteTest, OverlongPathIsRefusedAndNothingIsDeleted) {
    std::string relative;
    while (files_.Path().size() + relative.size() <= 260) {
        relative += "long-folder-name/";
    }
    const std::string file = files_.WriteFile(relative + "x.png");

    EXPECT_EQ(shell_.DeletePath(file, true), ENAMETOOLONG);
    EXPECT_TRUE(Exists(file));
}

}  // namespace
}  // namespace kestrun
