#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <vector>

#include "games/game_drop.h"
#include "games/rom_path.h"
#include "games/rom_set_scanner.h"
#include "platform/paths.h"
#include "platform/shortcut_resolver.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

TEST(RomPathFromText, FollowsTheTypedTextRules) {
    const std::pair<const char*, const char*> cases[] = {
        {"pacman", "/opt/kestrun/roms/pacman.zip"},
        {"pacman  -cheat -nosound", "/opt/kestrun/roms/pacman .zip"},
        {"pacman.zip", "/opt/kestrun/roms/pacman.zip"},
        {"PACMAN.ZIP", "/opt/kestrun/roms/PACMAN.ZIP.zip"},
        {"/games/pacman", "/games/pacman.zip"},
        {"/games/pacman.zip -cheat", "/games/pacman.zip"},
        {"", "/opt/kestrun/roms/.zip"}};
    for (const auto& [text, path] : cases) {
        EXPECT_EQ(RomPathFromText(text, "/opt/kestrun/"), path) << '"' << text << '"';
    }
}

// Game files in a temporary folder: a ROM set and a folder beside it, and a folder of sets to
// scan.
class GameFilesTest : public ::testing::Test {
  protected:
    std::string Link(const std::string& name, const std::string& target) const {
        fs::create_symlink(target, temp_.Path() + name);
        return temp_.Path() + name;
    }
    void WriteRomSets(std::initializer_list<std::string> names) const {
        for (const std::string& name : names) {
            temp_.WriteFile("sets/" + name);
        }
    }
    static Names Listed(const RomSetState& state) {
        Names names;
        for (std::size_t i = 0; i < state.RomSetList.size(); ++i) {
            names.emplace_back(state.RomSetList.NameAt(i));
        }
        return names;
    }

    testing::TempFolder temp_;
    std::string rom_ = temp_.WriteFile("roms/pacman.zip");
    std::string folder_ = temp_.MakeFolder("roms/sub");
    std::string sets_ = temp_.MakeFolder("sets") + "/";
};

// A symbolic link gives its stored target, unless longer than a path may be; only a
// ".desktop" file is read as a desktop link, and only up to a bounded size.
TEST_F(GameFilesTest, AShortcutGivesItsTargetAndAnythingElseAnEmptyText) {
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

TEST_F(GameFilesTest, DesktopLinkGivesTheLocalPathOfItsUrl) {
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
TEST_F(GameFilesTest, ADropOrTheCommandLineTakesARegularFileByItsFullPath) {
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

// Names sort with letters in lower case, past the first eight bytes and for bytes above 0x7F
// (here UTF-8) too, and keep their case; folders ending in ".zip" count. The scanned path is
// found in any case.
TEST_F(GameFilesTest, ListsEveryZipEndingInAnyCaseSortedByNameInLowerCase) {
    WriteRomSets({"1942.zip", "005.zip", "Aburner.zip", "a_b.zip", "ab.zip",
                  "\xc3\xa9t\xc3\xa9.zip", "mspacmanbg.zip", "MSPACMAN2.zip", "mspacman.zip",
                  "mspacmab.zip", "GALAGA.ZIP", "dkong.Zip", "readme.txt", "pacman.zip.bak",
                  "zip"});
    temp_.MakeFolder("sets/pengo.zip");
    temp_.MakeFolder("sets/snap");
    RomSetState state;
    ScanRomSets(sets_ + "mspacman2.ZIP", state);
    EXPECT_EQ(Listed(state),
              (Names{"005.zip", "1942.zip", "a_b.zip", "ab.zip", "Aburner.zip", "dkong.Zip",
                     "GALAGA.ZIP", "mspacmab.zip", "mspacman.zip", "MSPACMAN2.zip",
                     "mspacmanbg.zip", "pengo.zip", "\xc3\xa9t\xc3\xa9.zip"}));
    EXPECT_EQ(state.CurrentRomIndex, 9);

    const std::string folder = temp_.MakeFolder("case") + "/";
    for (const char* name : {"pacman.zip", "PacMan.zip", "PACMAN.zip", "galaga.zip"}) {
        temp_.WriteFile(std::string("case/") + name);
    }
    for (const char* name : {"pacman.zip", "PacMan.zip", "PACMAN.zip"}) {
        ScanRomSets(folder + name, state);
        EXPECT_EQ(std::string(state.RomSetList[state.CurrentRomIndex]), folder + name);
    }
}

// A path in a missing folder keeps the index for the next step.
TEST_F(GameFilesTest, ARescanSeesChangesAndAMissingFolderGivesAnEmptyList) {
    WriteRomSets({"galaga.zip", "pacman.zip"});
    RomSetState state;
    ScanRomSets(sets_ + "pacman.zip", state);
    WriteRomSets({"dkong.zip"});
    std::filesystem::remove(sets_ + "galaga.zip");
    ScanRomSets(sets_ + "pacman.zip", state);
    EXPECT_EQ(Listed(state), (Names{"dkong.zip", "pacman.zip"}));
    EXPECT_EQ(state.CurrentRomIndex, 1);
    ScanRomSets(temp_.Path() + "nowhere/pacman.zip", state);
    EXPECT_TRUE(state.RomSetList.empty());
    EXPECT_EQ(state.CurrentRomIndex, 1);
}

TEST_F(GameFilesTest, SkipsEntriesWhosePathWouldBeTooLong) {
    // A folder that leaves room for exactly "b.zip" within the path limit.
    const std::string deep = std::string(MaxPathLength - sets_.size() - 6, 'd') + "/";
    WriteRomSets({deep + "b.zip", deep + "ab.zip"});
    RomSetState state;
    ScanRomSets(sets_ + deep + "ab.zip", state);
    EXPECT_EQ(Listed(state), Names{"b.zip"});
    EXPECT_EQ(state.CurrentRomIndex, 0);
}

TEST_F(GameFilesTest, StepsWrapAroundAndStayInsideTheList) {
    WriteRomSets({"a.zip", "b.zip", "c.zip"});
    RomSetState listed;
    ScanRomSets(sets_ + "a.zip", listed);
    using enum RomStep;
    const std::tuple<int, RomStep, int> cases[] = {
        {0, Next, 1},      {2, Next, 0},  {0, Previous, 2}, {2, Previous, 1},
        {-4, Previous, 2}, {-4, Next, 0}, {9, Next, 0},     {9, Previous, 2}};
    for (const auto& [index, step, expected] : cases) {
        RomSetState state = listed;
        state.CurrentRomIndex = index;
        StepRomSet(state, step);
        ASSERT_EQ(state.CurrentRomIndex, expected) << index << (step == Next ? " next" : " back");
        EXPECT_EQ(state.CurrentRomPath, state.RomSetList[expected]);
    }
}

}  // namespace
}  // namespace kestrun
