#include "launch/per_game_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

enum class Kind { Exact, Prefix };

struct ListedGame {
    const char* name;
    Kind kind;
};

// An exact entry matches only itself; a prefix entry also matches longer names; neither
// matches a name shorter than the entry.
void ExpectListed(bool (*predicate)(std::string_view), const ListedGame& game) {
    const std::string name = game.name;
    EXPECT_TRUE(predicate(name)) << name;
    EXPECT_EQ(predicate(name + "2"), game.kind == Kind::Prefix) << name;
    EXPECT_FALSE(predicate(name.substr(0, name.size() - 1))) << name;
    EXPECT_FALSE(predicate("x" + name)) << name;
}

TEST(PerGameRules, EveryVectorGameMatchesByItsKind) {
    const ListedGame games[] = {
        {"alphaon", Kind::Prefix}, {"armora", Kind::Prefix},  {"asteroi", Kind::Prefix},
        {"astdelu", Kind::Prefix}, {"aztarac", Kind::Exact},  {"barrier", Kind::Exact},
        {"boxingb", Kind::Exact},  {"bwidow", Kind::Exact},   {"bzone", Kind::Prefix},
        {"cchasm", Kind::Prefix},  {"demon", Kind::Exact},    {"elim", Kind::Prefix},
        {"esb", Kind::Exact},      {"gravit", Kind::Prefix},  {"llander", Kind::Prefix},
        {"mhavoc", Kind::Prefix},  {"omegrace", Kind::Exact}, {"quantum", Kind::Prefix},
        {"redbaron", Kind::Exact}, {"ripoff", Kind::Exact},   {"solarq", Kind::Exact},
        {"spacduel", Kind::Exact}, {"spacewar", Kind::Exact}, {"spacfur", Kind::Prefix},
        {"speedfrk", Kind::Exact}, {"starcas", Kind::Prefix}, {"starhawk", Kind::Exact},
        {"startrek", Kind::Exact}, {"starwar", Kind::Prefix}, {"stellcas", Kind::Exact},
        {"sundance", Kind::Exact}, {"tacscan", Kind::Exact},  {"tailg", Kind::Exact},
        {"tempest", Kind::Prefix}, {"temptube", Kind::Exact}, {"warrior", Kind::Exact},
        {"wotw", Kind::Exact},     {"zektor", Kind::Exact},
    };
    for (const ListedGame& game : games) {
        ExpectListed(IsVectorGame, game);
        EXPECT_FALSE(RequiresSound(game.name)) << game.name;
    }
}

TEST(PerGameRules, EveryGameThatNeedsSoundMatchesByItsKind) {
    const ListedGame games[] = {
        {"bloodbro", Kind::Exact}, {"weststry", Kind::Exact}, {"cabal", Kind::Prefix},
        {"paperboy", Kind::Exact}, {"720", Kind::Prefix},     {"indytem", Kind::Prefix},
        {"rbibb", Kind::Exact},    {"balonfgt", Kind::Exact}, {"vsbball", Kind::Exact},
        {"btlecity", Kind::Exact}, {"cstlevna", Kind::Exact}, {"cluclu", Kind::Exact},
        {"drmario", Kind::Exact},  {"duckhunt", Kind::Exact}, {"excitebk", Kind::Exact},
        {"vsgradus", Kind::Exact}, {"hogalley", Kind::Exact}, {"iceclimb", Kind::Exact},
        {"iceclmrj", Kind::Exact}, {"machridr", Kind::Exact}, {"vsmahjng", Kind::Exact},
        {"vspinbal", Kind::Exact}, {"platoon", Kind::Exact},  {"vsslalom", Kind::Exact},
        {"vssoccer", Kind::Exact}, {"starlstr", Kind::Exact}, {"ladygolf", Kind::Exact},
        {"smgolf", Kind::Exact},   {"suprmrio", Kind::Exact}, {"vsskykid", Kind::Exact},
        {"tkoboxng", Kind::Exact}, {"vstennis", Kind::Exact}, {"vstetris", Kind::Exact},
        {"goonies", Kind::Exact},  {"wrecking", Kind::Exact},
    };
    for (const ListedGame& game : games) {
        ExpectListed(RequiresSound, game);
        EXPECT_FALSE(IsVectorGame(game.name)) << game.name;
    }
}

TEST(PerGameRules, LookupNamesAsTypedMatchOnlyPrefixEntries) {
    struct Case {
        const char* gameText;
        const char* lookupName;
        bool vector;
        bool sound;
    };
    const Case cases[] = {
        {"720", "720", false, true},
        {"720r1", "720r1", false, true},
        {"x720", "x720", false, false},
        {"CabalBL", "cabalbl", false, true},
        {"paperboyr1", "paperboyr1", false, false},
        {"bzone2", "bzone2", true, false},
        {"starwar1", "starwar1", true, false},
        {"esb1", "esb1", false, false},
        {"ROMS/Tempest.ZIP", "tempest.zip", true, false},
        {"/roms/Galaga.zip", "galaga.zip", false, false},
        {"aztarac.zip", "aztarac.zip", false, false},
        {"Aztarac -cheat", "aztarac -cheat", false, false},
        {"roms/sub/ESB", "esb", true, false},
        // Only '/' separates folders here.
        {"roms\\Tempest", "roms\\tempest", false, false},
        {"", "", false, false},
    };
    for (const Case& c : cases) {
        const std::string lookupName = LookupNameOf(c.gameText);
        EXPECT_EQ(lookupName, c.lookupName) << c.gameText;
        EXPECT_EQ(IsVectorGame(lookupName), c.vector) << c.gameText;
        EXPECT_EQ(RequiresSound(lookupName), c.sound) << c.gameText;
    }
}

TEST(PerGameRules, ArtworkArchiveIsAFileBesideTheProgramAskedAfreshEachTime) {
    testing::TempFolder program;
    program.WriteFile("artwork/pacman.zip");
    program.WriteFile("artwork/tempest.zip");
    program.MakeFolder("artwork/galaga.zip");
    program.WriteFile("pengo.zip");

    EXPECT_TRUE(HasArtworkArchive(program.Path(), "pacman"));
    EXPECT_TRUE(HasArtworkArchive(program.Path(), "tempest.zip"));
    EXPECT_FALSE(HasArtworkArchive(program.Path(), "galaga"));
    EXPECT_FALSE(HasArtworkArchive(program.Path(), "pengo"));
    EXPECT_FALSE(HasArtworkArchive(program.Path(), "pacman -cheat"));
    EXPECT_FALSE(HasArtworkArchive(program.Path(), ""));

    EXPECT_FALSE(HasArtworkArchive(program.Path(), "mspacman"));
    program.WriteFile("artwork/mspacman.zip");
    EXPECT_TRUE(HasArtworkArchive(program.Path(), "mspacman"));
}

TEST(PerGameRules, SoundRefusalIsTitledWithTheLookupName) {
    const MessageBoxRequest refusal = SoundRefusal("cabal");
    EXPECT_EQ(refusal.text,
              "This game cannot run properly without sound.\nPlease enable sound and try again.");
    EXPECT_EQ(refusal.caption, "cabal");
    EXPECT_EQ(refusal.buttons, MessageButtons::Ok);
    EXPECT_EQ(refusal.icon, MessageIcon::Exclamation);
}

}  // namespace
}  // namespace kestrun
