#include "games/game_drop.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class GameDropTest : public ::testing::Test {
  protected:
    std::string Link(const std::string& name, const std::string& target) const {
        const std::string path = temp_.Path() + name;
        fs::create_symlink(target, path);
        return path;
    }

    testing::TempFolder temp_;
    std::string rom_ = temp_.WriteFile("roms/pacman.zip");
    std::string folder_ = temp_.MakeFolder("roms/sub");
};

TEST_F(GameDropTest, TakesTheFirstRegularFileWithItsFullPath) {
    const std::string text = temp_.WriteFile("notes.txt", "hello");
    EXPECT_EQ(AcceptDroppedFiles(Names{text, rom_, folder_}), text);
    EXPECT_EQ(AcceptDroppedFiles(Names{rom_}), rom_);
    EXPECT_EQ(AcceptDroppedFiles(Names{folder_, rom_}), std::nullopt);
}

TEST_F(GameDropTest, FollowsShortcutsToTheirTarget) {
    const std::string desktop =
        temp_.WriteFile("pacman.desktop", "[Desktop Entry]\nType=Link\nURL=file://" + rom_ + "\n");
    EXPECT_EQ(AcceptDroppedFiles(Names{desktop}), rom_);
    EXPECT_EQ(AcceptDroppedFiles(Names{Link("pacman-link", rom_)}), rom_);
    EXPECT_EQ(AcceptDroppedFiles(Names{Link("folder-link", folder_)}), std::nullopt);
}

TEST_F(GameDropTest, IgnoresWhatIsNoRegularFile) {
    const std::string fifo = temp_.Path() + "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const Names ignored[] = {
        {},     {""}, {temp_.Path() + "missing.zip"}, {Link("broken", temp_.Path() + "gone.zip")},
        {fifo},
    };
    for (const Names& names : ignored) {
        EXPECT_EQ(AcceptDroppedFiles(names), std::nullopt) << (names.empty() ? "" : names[0]);
    }
}

}  // namespace
}  // namespace kestrun
