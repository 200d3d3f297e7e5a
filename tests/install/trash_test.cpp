#include "platform/trash.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/paths.h"
#include "tests/install/file_helpers.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;
using testing::NamesIn;
using testing::ReadWholeFile;

class TrashTest : public ::testing::Test {
  protected:
    std::string TrashPath(const std::string& relative) const {
        return home_.Folder().Path() + "home/.local/share/Trash/" + relative;
    }

    testing::TempHome home_;
    testing::TempFolder files_;
};

TEST_F(TrashTest, MovesTheFileAndRecordsItsEncodedPathAndTime) {
    const std::string original = files_.WriteFile("snap dir/pac man%.png", "picture");
    ASSERT_THAT(files_.Path(), MatchesRegex("[A-Za-z0-9/_.-]*"));

    ASSERT_EQ(MoveToTrash(original), 0);

    EXPECT_FALSE(testing::Exists(original));
    EXPECT_EQ(ReadWholeFile(TrashPath("files/pac man%.png")), "picture");
    EXPECT_THAT(
        ReadWholeFile(TrashPath("info/pac man%.png.trashinfo")),
        MatchesRegex("\\[Trash Info\\]\nPath=" + files_.Path() +
                     "snap%20dir/pac%20man%25.png\n"
                     "DeletionDate=[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\n"));
}

TEST_F(TrashTest, SameNamesGetNumberedBeforeTheExtension) {
    ASSERT_EQ(MoveToTrash(files_.WriteFile("a/shot.png", "first")), 0);
    const std::string second = files_.WriteFile("b/shot.png", "second");
    ASSERT_EQ(MoveToTrash(second), 0);
    files_.WriteFile("c/snap/inside.png");
    files_.WriteFile("d/snap/other.png");
    ASSERT_EQ(MoveToTrash(files_.Path() + "c/snap/"), 0);
    ASSERT_EQ(MoveToTrash(files_.Path() + "d/snap"), 0);

    EXPECT_THAT(NamesIn(TrashPath("files")),
                ElementsAre("shot.2.png", "shot.png", "snap", "snap.2"));
    EXPECT_EQ(ReadWholeFile(TrashPath("files/shot.2.png")), "second");
    EXPECT_THAT(NamesIn(TrashPath("files/snap.2")), ElementsAre("other.png"));
    EXPECT_THAT(ReadWholeFile(TrashPath("info/shot.2.png.trashinfo")),
                ::testing::HasSubstr("Path=" + second + "\n"));
}

TEST_F(TrashTest, MissingObjectLeavesNoTraceInTheTrash) {
    EXPECT_EQ(MoveToTrash(files_.Path() + "absent.png"), ENOENT);
    EXPECT_EQ(MoveToTrash(""), ENOENT);
    EXPECT_THAT(NamesIn(TrashPath("info")), IsEmpty());
}

// A fresh account has no data folder yet; without a home nothing is made at the root.
TEST_F(TrashTest, FreshHomeGetsTheWholeTrashPathAndNoHomeGetsNone) {
    const std::string freshHome = files_.MakeFolder("fresh home");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", freshHome.c_str(), 1);
    ASSERT_EQ(MoveToTrash(files_.WriteFile("pacman.png", "picture")), 0);
    EXPECT_EQ(ReadWholeFile(freshHome + "/.local/share/Trash/files/pacman.png"), "picture");
    struct stat trash {};
    ASSERT_EQ(::stat((freshHome + "/.local").c_str(), &trash), 0);
    EXPECT_EQ(trash.st_mode & 0777, 0700u);

    ::setenv("HOME", "relative", 1);
    EXPECT_EQ(MoveToTrash(files_.WriteFile("galaga.png")), ENOENT);
    EXPECT_TRUE(testing::Exists(files_.Path() + "galaga.png"));
}

TEST_F(TrashTest, FolderOnAnotherFileSystemIsCopiedIntoTheTrash) {
    struct stat shm {
    }, trash{};
    std::string other = "/dev/shm/kestrun-trash-XXXXXX";
    if (::stat("/dev/shm", &shm) != 0 || ::stat(files_.Path().c_str(), &trash) != 0 ||
        shm.st_dev == trash.st_dev || ::mkdtemp(other.data()) == nullptr) {
        GTEST_SKIP() << "no second file system at hand";
    }
    std::ofstream(other + "/005.png") << "picture";

    const int result = MoveToTrash(other);
    std::filesystem::remove_all(other);

    ASSERT_EQ(result, 0);
    EXPECT_EQ(ReadWholeFile(TrashPath("files/" + std::string(BaseNameOf(other)) + "/005.png")),
              "picture");
}

}  // namespace
}  // namespace kestrun
