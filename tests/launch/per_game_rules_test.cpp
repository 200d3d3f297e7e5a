#include "launch/per_game_rules.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using Predicate = bool (*)(std::string_view);

// An exact entry matches only itself, a prefix entry also longer names; neither matches a
// shorter name, and no entry belongs to the other list.
void ExpectListed(Predicate listed, Predicate other, const char* names, bool prefix) {
    std::istringstream words(names);
    for (std::string name; words >> name;) {
        EXPECT_TRUE(listed(name)) << name;
        EXPECT_EQ(listed(name + "2"), prefix) << name;
        EXPECT_FALSE(listed(name.substr(0, name.size() - 1))) << name;
        EXPECT_FALSE(listed("x" + name)) << name;
        EXPECT_FALSE(other(name)) << name;
    }
}

TEST(PerGameRules, EveryListedGameMatchesByItsKind) {
    ExpectListed(IsVectorGame, RequiresSound,
                 "alphaon armora asteroi astdelu bzone cchasm elim gravit llander mhavoc quantum "
                 "spacfur starcas starwar tempest",
                 true);
    ExpectListed(IsVectorGame, RequiresSound,
                 "aztarac barrier boxingb bwidow demon esb omegrace redbaron ripoff solarq "
                 "spacduel spacewar speedfrk starhawk startrek stellcas sundance tacscan tailg "
                 "temptube warrior wotw zektor",
                 false);
    ExpectListed(RequiresSound, IsVectorGame, "cabal 720 indytem", true);
    ExpectListed(RequiresSound, IsVectorGame,
                 "bloodbro weststry paperboy rbibb balonfgt vsbball btlecity cstlevna cluclu "
                 "drmario duckhunt excitebk vsgradus hogalley iceclimb iceclmrj machridr vsmahjng "
                 "vspinbal platoon vsslalom vssoccer starlstr ladygolf smgolf suprmrio vsskykid "
                 "tkoboxng vstennis vstetris goonies wrecking",
                 false);
}

TEST(PerGameRules, LookupNamesAreTheLowerCaseFileNameAsTyped) {
    struct Case {
        const char* gameText;
        const char* lookupName;
        bool vector;
        bool sound;
    };
    const Case cases[] = {
        {"CabalBL", "cabalbl", false, true},
        {"/roms/720r1", "720r1", false, true},
        {"ROMS/Tempest.ZIP", "tempest.zip", true, false},
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
    EXPECT_FALSE(HasArtworkArchive(program.Path(), "mspacman"));
    program.WriteFile("artwork/mspacman.zip");
    EXPECT_TRUE(HasArtworkArchive(program.Path(), "mspacman"));
}

TEST(PerGameRules, SoundRefusalIsTitledWithTheLookupName) {
    const MessageBoxRequest refusal = SoundRefusal("cabal");
    EXPECT_EQ(refusal.text,
              "This game cannot run properly without sound.\nPlease enable sound and try again.");
    EXPECT_EQ(refusal.caption, "cabal");
    EXPECT_EQ(refusal.icon, MessageIcon::Exclamation);
}

}  // namespace
}  // namespace kestrun
