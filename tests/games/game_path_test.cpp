#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "games/game_drop.h"
#include "games/rom_path.h"
#include "platform/paths.h"
#include "platform/shortcut_resolver.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

namespace fs = std::filesystem;

TEST(RomPathFromText, FollowsTheTypedTextRules) {
    const std::pair<const char*, const char*> cases[] = {
        {"pacman", "/opt/kestrun/roms/pacman.zip"},
        {"pacman  -cheat -nosound", "/opt/kestrun/roms/pacman .zip"},
        {"pacman.zip", "/opt/kestrun/roms/pacman.zip"},
        {"PACMAN.ZIP", "/opt/kestrun/roms/PACMAN.ZIP.zip"},
        {"/games/pacman", "/games/pacman.zip"},
        {"/games/pacman.zip -cheat", "/games/pacman.zip"},
        {"", "/opt/kestrun/roms/.zip"},
    };
    for (const auto& [text, path] : cases) {
        EXPECT_EQ(RomPathFromText(text, "/opt/kestrun/"), path) << '"' << text << '"';
    }
}

class GamePathTest : public ::testing::Test {
  protected:
    std::string Link(const std::string& name, const std::string& target) const {
        fs::create_symlink(target, temp_.Path() + name);
        return temp_.Path() + name;
    }

    testing::TempFolder temp_;
    std::string rom_ = temp_.WriteFile("roms/pacman.zip");
    std::string folder_ = temp_.MakeFolder("roms/sub");
};

// A symbolic link gives its stored target, unless longer than a path may be; only a
// ".desktop" file is read as a desktop link, and only up to a bounded size.
TEST_F(GamePathTest, AShortcutGivesItsTargetAndAnythingElseAnEmptyText) {
    temp_.MakeFolder("links");
    const std::string desktop = "[Desktop Entry]\nType=Link\nURL=file:///games/pacman.zip\n";
    const std::pair<std::string, std::string> cases[] = {
        {Link("absolute", rom_), rom_},
        {Link("links/relative", "../roms/pacman.zip"), temp_.Path() + "links/../roms/pacman.zip"},
        {Link("broken", "/no/such/pacman.zip"), "/no/such/pacman.zip"},
        {Link("long", "/" + std::string(MaxPathLength, 'x')), ""},
        {temp_.WriteFile("pacman.txt", desktop), ""},
        {temp_.MakeFolder("folder.desktop"), ""},
        {temp_.Path() + "missing.desktop", ""},
        {"", ""},
        {temp_.WriteFile("huge.desktop", desktop + std::string(70000, '#')), ""},
    };
    for (const auto& [path, target] : cases) {
        EXPECT_EQ(ResolveShortcut(path), target) << path;
    }
}

TEST_F(GamePathTest, DesktopLinkGivesTheLocalPathOfItsUrl) {
    const std::pair<const char*, const char*> cases[] = {
        {"[Desktop Entry]\nType=Link\nURL=file:///games/pacman.zip\n", "/games/pacman.zip"},
        {"# by hand\n[Desktop Entry]\r\nURL = file:///games/pac%20man%2Ezip\r\nType = Link\r\n",
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
    for (const auto& [content, path] : cases) {
        EXPECT_EQ(ResolveShortcut(temp_.WriteFile("game.desktop", content)), path) << content;
    }
}

// Dropped files: the first one counts, after its shortcut is resolved, if it is a regular file.
// A game on the command line is taken the same way, named from the current folder, since
// start-up changes the current folder; anything else stays as typed.
TEST_F(GamePathTest, ADropOrTheCommandLineTakesARegularFileByItsFullPath) {
    const std::string text = temp_.WriteFile("notes.txt", "hello");
    const std::string fifo = temp_.Path() + "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::vector<std::string>, std::optional<std::string>> cases[] = {
        {{text, rom_, folder_}, text},
        {{temp_.WriteFile("pacman.desktop", "[Desktop Entry]\nType=Link\nURL=file://" + rom_)},
         rom_},
        {{Link("pacman-link", rom_)}, rom_},
        {{folder_, rom_}, std::nullopt},
        {{Link("folder-link", folder_)}, std::nullopt},
        {{}, std::nullopt},
        {{fifo}, std::nullopt},
    };
    for (const auto& [names, accepted] : cases) {
        EXPECT_EQ(AcceptDroppedFiles(names), accepted) << (names.empty() ? "" : names[0]);
    }
    const fs::path saved = fs::current_path();
    fs::current_path(temp_.Path());
    EXPECT_EQ(GameTextFromArgument("roms/sub/../pacman.zip"), rom_);
    EXPECT_EQ(GameTextFromArgument("roms/sub"), "roms/sub");
    EXPECT_EQ(GameTextFromArgument("pacman -cheat"), "pacman -cheat");
    fs::current_path(saved);
}

}  // namespace
}  // namespace kestrun
