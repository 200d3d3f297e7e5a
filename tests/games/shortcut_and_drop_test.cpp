#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "games/game_drop.h"
#include "platform/paths.h"
#include "platform/shortcut_resolver.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class ShortcutTest : public ::testing::Test {
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

TEST_F(ShortcutTest, SymbolicLinkGivesItsStoredTarget) {
    EXPECT_EQ(ResolveShortcut(Link("absolute", rom_)), rom_);

    temp_.MakeFolder("links");
    EXPECT_EQ(ResolveShortcut(Link("links/relative", "../roms/pacman.zip")),
              temp_.Path() + "links/../roms/pacman.zip");
    EXPECT_EQ(ResolveShortcut(Link("broken", "/no/such/pacman.zip")), "/no/such/pacman.zip");
}

TEST_F(ShortcutTest, TargetLongerThanThePathLimitIsNotResolved) {
    const std::string longTarget = "/" + std::string(MaxPathLength, 'x');
    EXPECT_EQ(ResolveShortcut(Link("long", longTarget)), "");
}

struct DesktopCase {
    const char* content;
    const char* expected;
};

TEST_F(ShortcutTest, DesktopLinkGivesTheLocalPathOfItsUrl) {
    const DesktopCase cases[] = {
        {"[Desktop Entry]\nType=Link\nURL=file:///games/pacman.zip\n", "/games/pacman.zip"},
        {"# made by hand\n[Desktop Entry]\r\nURL = file:///games/pac%20man%2Ezip\r\n"
         "Type = Link\r\n",
         "/games/pac man.zip"},
        {"[Desktop Entry]\nType=Link\nURL=file://localhost/games/pacman.zip", "/games/pacman.zip"},
        {"[Desktop Entry]\nType=Link\nURL=file:///games/a\\sb.zip#top\n", "/games/a b.zip"},
        {"[Desktop Entry]\nType=Application\nURL=file:///games/pacman.zip\n", ""},
        {"[Desktop Entry]\nType=Link\nURL=https://example.org/pacman.zip\n", ""},
        {"[Desktop Entry]\nType=Link\nURL=file://server/games/pacman.zip\n", ""},
        {"[Desktop Entry]\nType=Link\nURL=file:///games/pacman%2\n", ""},
        {"[Desktop Entry]\nType=Link\nURL=file:///games/pac%00man\n", ""},
        {"[Desktop Entry]\nType=Link\n[Other]\nURL=file:///games/pacman.zip\n", ""},
        {"Type=Link\nURL=file:///games/pacman.zip\n", ""},
    };
    for (const auto& c : cases) {
        const std::string path = temp_.WriteFile("game.desktop", c.content);
        EXPECT_EQ(ResolveShortcut(path), c.expected) << c.content;
    }
}

TEST_F(ShortcutTest, AnythingElseGivesAnEmptyText) {
    const std::string content = "[Desktop Entry]\nType=Link\nURL=file:///games/pacman.zip\n";
    EXPECT_EQ(ResolveShortcut(temp_.WriteFile("pacman.txt", content)), "");
    EXPECT_EQ(ResolveShortcut(temp_.MakeFolder("folder.desktop")), "");
    EXPECT_EQ(ResolveShortcut(temp_.Path() + "missing.desktop"), "");
    EXPECT_EQ(ResolveShortcut(""), "");
    EXPECT_EQ(ResolveShortcut(temp_.WriteFile("huge.desktop", content + std::string(70000, '#'))),
              "");
}

// Dropped files: the first one counts, after its shortcut is resolved, if it is a regular file.
TEST_F(ShortcutTest, ADropTakesTheFirstFileIfItIsARegularOne) {
    const std::string text = temp_.WriteFile("notes.txt", "hello");
    const std::string desktop =
        temp_.WriteFile("pacman.desktop", "[Desktop Entry]\nType=Link\nURL=file://" + rom_ + "\n");
    const std::string fifo = temp_.Path() + "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<Names, std::optional<std::string>> cases[] = {
        {{text, rom_, folder_}, text},
        {{desktop}, rom_},
        {{Link("pacman-link", rom_)}, rom_},
        {{folder_, rom_}, std::nullopt},
        {{Link("folder-link", folder_)}, std::nullopt},
        {{}, std::nullopt},
        {{""}, std::nullopt},
        {{Link("broken", temp_.Path() + "gone.zip")}, std::nullopt},
        {{fifo}, std::nullopt},
    };
    for (const auto& [names, accepted] : cases) {
        EXPECT_EQ(AcceptDroppedFiles(names), accepted) << (names.empty() ? "" : names[0]);
    }
}

// A game on the command line: a file named from the current folder gives its full path, since
// start-up changes the current folder; anything else stays as typed.
TEST_F(ShortcutTest, CommandLineGameIsAFilesFullPathOrTheTypedText) {
    const fs::path saved = fs::current_path();
    fs::current_path(temp_.Path());
    const std::pair<std::string, std::string> cases[] = {
        {"roms/pacman.zip", rom_},
        {"roms/sub/../pacman.zip", rom_},
        {"pacman -cheat", "pacman -cheat"},
        {"roms/sub", "roms/sub"},
    };
    for (const auto& [argument, text] : cases) {
        EXPECT_EQ(GameTextFromArgument(argument), text) << argument;
    }
    fs::current_path(saved);
}

}  // namespace
}  // namespace kestrun
