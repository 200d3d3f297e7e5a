#include <gtest/gtest.h>

#include "games/game_names.h"
#include "games/game_search.h"
#include "games/rom_status.h"

namespace kestrun {
namespace {

// Lines as MAME 0.251 prints them, inner quotes and UTF-8 included.
constexpr std::string_view Listing =
    "Name:             Description:\n"
    "dkong             \"Donkey Kong (US set 1)\"\n"
    "attache           \"Attach\xC3\xA9\"\n"
    "fscc6             \"Sensory Chess Challenger \"6\"\"\n"
    "pacman            \"Pac-Man (Midway)\"\n"
    "broken            no quotes here\n"
    "pong              \"Pong (Rev E) [TTL]\"\n"
    "galaga            \"Galaga (Namco rev. B)\"";

TEST(GameNames, ReadsMameListingAndSkipsWhatIsNotAName) {
    const GameNames names = GameNames::Parse(Listing);
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"pong", "Pong (Rev E) [TTL]"},
        {"PacMan", "Pac-Man (Midway)"},
        {"fscc6", "Sensory Chess Challenger \"6\""},
        {"attache", "Attach\xC3\xA9"},
        {"broken", ""},
        {"galaga", ""},  // the cut-off last line
        {"Name:", ""},
        {"pac", ""},
    };
    for (const auto& [set, fullName] : cases) {
        EXPECT_EQ(names.FullNameOf(set), fullName) << set;
    }
    EXPECT_EQ(names.Count(), 5u);
}

TEST(GameSearch, RanksSetNameThenWordThenAnywhere) {
    const GameNames names = GameNames::Parse(
        "mspacman \"Ms. Pac-Man\"\n"
        "dkong \"Donkey Kong (US set 1)\"\n"
        "pacman \"Pac-Man (Midway)\"\n"
        "dkongjr \"Donkey Kong Junior (US)\"\n"
        "konami1 \"Konami Hits\"\n"
        "kongo \"Gorilla\"\n");
    const std::vector<std::string_view> sets = {"dkong",    "dkongjr", "kongo",   "konami1",
                                                "mspacman", "pacman",  "unknown1"};
    const GameSearchIndex index(sets, names);
    struct Case {
        std::string_view typed;
        std::vector<std::size_t> rows;
    };
    const Case cases[] = {
        {"kong", {2, 0, 1}},  // kongo by set name, then the words of dkong and dkongjr
        {"KON", {2, 3, 0, 1}},
        {"pac", {5, 4}},   // pacman's set name, then "Pac-Man" as Ms. Pac-Man's word
        {"man", {4, 5}},   // after a hyphen, a word of its own
        {"idwa", {5}},     // inside a word
        {"unknown", {6}},  // a set without a full name
        {"zzz", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(index.Search(c.typed), c.rows) << c.typed;
    }
    EXPECT_EQ(index.Search("kong", 2), (std::vector<std::size_t>{2, 0}));
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
