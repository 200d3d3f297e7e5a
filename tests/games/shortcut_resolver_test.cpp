#include "platform/shortcut_resolver.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

namespace fs = std::filesystem;

class ShortcutResolverTest : public ::testing::Test {
  protected:
    std::string Link(const std::string& name, const std::string& target) const {
        const std::string path = temp_.Path() + name;
        fs::create_symlink(target, path);
        return path;
    }

    testing::TempFolder temp_;
};

TEST_F(ShortcutResolverTest, SymbolicLinkGivesItsStoredTarget) {
    const std::string rom = temp_.WriteFile("roms/pacman.zip");
    EXPECT_EQ(ResolveShortcut(Link("absolute", rom)), rom);

    temp_.MakeFolder("links");
    EXPECT_EQ(ResolveShortcut(Link("links/relative", "../roms/pacman.zip")),
              temp_.Path() + "links/../roms/pacman.zip");
    EXPECT_EQ(ResolveShortcut(Link("broken", "/no/such/pacman.zip")), "/no/such/pacman.zip");
}

TEST_F(ShortcutResolverTest, TargetLongerThanThePathLimitIsNotResolved) {
    const std::string longTarget = "/" + std::string(MaxPathLength, 'x');
    EXPECT_EQ(ResolveShortcut(Link("long", longTarget)), "");
}

struct DesktopCase {
    const char* content;
    const char* expected;
};

TEST_F(ShortcutResolverTest, DesktopLinkGivesTheLocalPathOfItsUrl) {
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

TEST_F(ShortcutResolverTest, AnythingElseGivesAnEmptyText) {
    const std::string content = "[Desktop Entry]\nType=Link\nURL=file:///games/pacman.zip\n";
    EXPECT_EQ(ResolveShortcut(temp_.WriteFile("pacman.txt", content)), "");
    EXPECT_EQ(ResolveShortcut(temp_.MakeFolder("folder.desktop")), "");
    EXPECT_EQ(ResolveShortcut(temp_.Path() + "missing.desktop"), "");
    EXPECT_EQ(ResolveShortcut(""), "");
    EXPECT_EQ(ResolveShortcut(temp_.WriteFile("huge.desktop", content + std::string(70000, '#'))),
              "");
}

}  // namespace
}  // namespace kestrun
