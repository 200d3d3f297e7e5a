#include <gtest/gtest.h>

#include "games/game_names.h"
#include "games/game_search.h"
#include "games/rom_status.h"

namespace kestrun {
namespace {

// Lines as MAME 0.251 prints them, inner quotes and UTF-8 included, the last one cut off.
TEST(GameNames, ReadsMameListingAndSkipsWhatIsNotAName) {
    const GameNames names = GameNames::Parse(
        "Name:             Description:\n"
        "attache           \"Attach\xC3\xA9\"\n"
        "fscc6             \"Sensory Chess Challenger \"6\"\"\n"
        "pacman            \"Pac-Man (Midway)\"\n"
        "broken            no quotes here\n"
        "galaga            \"Galaga (Namco rev. B)\"");
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"PacMan", "Pac-Man (Midway)"},
        {"fscc6", "Sensory Chess Challenger \"6\""},
        {"attache", "Attach\xC3\xA9"},
        {"broken", ""},
        {"galaga", ""},
        {"Name:", ""},
        {"pac", ""}};
    for (const auto& [set, fullName] : cases) {
        EXPECT_EQ(names.FullNameOf(set), fullName) << set;
    }
    EXPECT_EQ(names.Count(), 3u);
}

// Set names first, then a word's start (after a blank or hyphen), then anywhere, in any case
// and at most as many as asked.
TEST(GameSearch, RanksSetNameThenWordThenAnywhere) {
    const GameNames names = GameNames::Parse(
        "mspacman \"Ms. Pac-Man\"\ndkong \"Donkey Kong (US set 1)\"\npacman \"Pac-Man (Midway)\"\n"
        "konami1 \"Konami Hits\"\nkongo \"Gorilla\"\n");
    const GameSearchIndex index({"dkong", "kongo", "konami1", "mspacman", "pacman", "other"},
                                names);
    EXPECT_EQ(index.Search("KON"), (std::vector<std::size_t>{1, 2, 0}));
    EXPECT_EQ(index.Search("man"), (std::vector<std::size_t>{3, 4}));
    EXPECT_EQ(index.Search("idwa"), std::vector<std::size_t>{4});
    EXPECT_EQ(index.Search("oth"), std::vector<std::size_t>{5});
    EXPECT_EQ(index.Search("kon", 2), (std::vector<std::size_t>{1, 2}));
    EXPECT_TRUE(index.Search("").empty());
}

TEST(RomStatus, ReadsVerifyRomsOutput) {
    constexpr std::string_view Bad =
        "pacman      : pacman.6e (4096 bytes) - INCORRECT CHECKSUM:\n"
        "EXPECTED: CRC(c1e6ab10) SHA1(e87e059c5be45753f7e9f33dff851f16d6751181)\n"
        "   FOUND: CRC(3e1077c1)\n"
        "pacman      : pacman.6f (4096 bytes) - NOT FOUND\n"
        "pacman      : 82s123.7f (32 bytes) - NOT FOUND (puckman)\n"
        "pacman      : pacman.6f (4096 bytes) - NOT FOUND\n"
        "romset pacman [puckman] is bad\n";
    EXPECT_EQ(ParseVerifyRoms(2, Bad), (RomStatus{false, {"pacman.6e", "pacman.6f", "82s123.7f"}}));
    EXPECT_EQ(ParseVerifyRoms(2, "romset \"pacman\" not found!\n"), (RomStatus{false, {}}));
    EXPECT_EQ(ParseVerifyRoms(0, "romset pong is best available\n"), RomStatus{});
    EXPECT_EQ(ParseVerifyRoms(5, "No matching systems found for 'x'\n"), std::nullopt);
    EXPECT_NE(RomStatusKey("pacman", 10, 5, "0.251"), RomStatusKey("pacman", 10, 6, "0.251"));
    EXPECT_NE(RomStatusKey("pacman", 10, 5, "0.251"), RomStatusKey("pacman", 10, 5, "0.252"));
}

}  // namespace
}  // namespace kestrun
