#include "platform/file_system.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

TEST(FileExists, TellsFilesFromFoldersAndMissingPaths) {
    testing::TempFolder folder;
    const std::string file = folder.WriteFile("mame.exe", "x");
    const std::string dir = folder.MakeFolder("mamepp.exe");

    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(dir));
    EXPECT_FALSE(FileExists(folder.Path() + "mame32.exe"));
    EXPECT_TRUE(FolderExists(dir));
    EXPECT_FALSE(FolderExists(file));
}

TEST(Paths, SplitsFolderAndBaseName) {
    EXPECT_TRUE(IsAbsolutePath("/opt/kestrun/"));
    EXPECT_FALSE(IsAbsolutePath("roms/pacman.zip"));
    EXPECT_FALSE(IsAbsolutePath(""));
    EXPECT_EQ(FolderOf("/opt/kestrun/kestrun"), "/opt/kestrun/");
    EXPECT_EQ(FolderOf("kestrun"), "");
    EXPECT_EQ(BaseNameOf("/opt/kestrun/kestrun"), "kestrun");
    EXPECT_EQ(BaseNameOf("pacman"), "pacman");
}

}  // namespace
}  // namespace kestrun
