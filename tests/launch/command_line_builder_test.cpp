#include "launch/command_line_builder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

#include "launch/full_screen_layout.h"
#include "launch/per_game_rules.h"
#include "options/launch_options.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using testing::MemoryProfileStore;

// A profile holding the given "Key=value" words, as the option dialogs store them.
void Store(MemoryProfileStore& profile, const char* settings) {
    std::istringstream words(settings);
    for (std::string word; words >> word;) {
        const std::size_t equals = word.find('=');
        profile.WriteProfileInt(ProfileSection, word.substr(0, equals),
                                std::stoi(word.substr(equals + 1)));
    }
}

// What a Start hands the builder: the options stored in the profile, per-game facts from the
// lookup name in the program folder, and the lists' texts (the window's business).
EmulatorArguments BuildForStart(std::string_view gameText, const std::string& programFolder,
                                MemoryProfileStore& profile) {
    const LaunchOptions options = LoadLaunchOptions(profile);
    const std::string lookupName = LookupNameOf(TrimGameText(gameText));
    const CommandLineRequest request{
        .gameText = TrimGameText(gameText),
        .options = options,
        .vectorGame = IsVectorGame(lookupName),
        .artworkInUse = options.Artwork != 0 && HasArtworkArchive(programFolder, lookupName),
        .controllerText = "XArcade",
        .resolutionText = "640x480"};
    return BuildCommandLine(request, profile);
}

TEST(CommandHead, QuotesTheNameAndKeepsTypedOptions) {
    const std::pair<const char*, const char*> cases[] = {
        {"  pacman \t", "\"pacman\""},
        {"Pacman   -nosound -cheat", "\"Pacman\" -nosound -cheat"},
        {"my game -x", "\"my game\" -x"},
        {"pacman\t-nosound", "\"pacman\t-nosound\""},
        {"   ", "\"\""},
    };
    for (const auto& [gameText, head] : cases) {
        EXPECT_EQ(BuildCommandHead(gameText), head) << '[' << gameText << ']';
    }
}

// The first three rows between them put every pair of rules that can hold together on one
// line, so two rules built in the wrong order change one of them. Lines start with the head.
TEST(CommandLine, RulesAppendInTheirOrder) {
    struct Case {
        const char* gameText;
        const char* settings;
        const char* options;
        bool detach = false;
    };
    const Case cases[] = {
        {"gravitar",
         "Steadykey=1 Mute=1 Ctrlr=1 Joystick=1 Mouse=1 Effects=3 Mask=4 Resolution=5 Cheat=1 "
         "Lightgun=1 Artcrop=1 Artres=1 LoFi=1 D3d=1 Scanlines=0 BackdropsOverlays=0 Bezels=0 "
         "NoSkipGameinfo=0 Flt=0 TextureManagement=0 Feedback=1 Slider=30 NoRDTSC=1",
         "-skip_gameinfo -d3d -d3dprescale none -d3dfilter 0 -nod3dtexmanage -d3dfeedback 30 "
         "-nosound -nosamples -nosleep -high_priority -gamma 2 -artcrop -artres 2 -nobackdrop "
         "-nooverlay -nobezel -mouse -joystick -lightgun -steadykey -cheat -nohws "
         "-d3deffect rgbtiny -r 640x480 -nordtsc"},
        {"bzone",
         "Steadykey=1 Stretch=1 Input=1 Video=0 Ctrlr=0 Mouse=1 Effects=2 Scanlines=3 "
         "Resolution=8 Cheat=1 Artwork=0 LoFi=1 BackdropsOverlays=0 Bezels=0 NoSkipGameinfo=0",
         "-skip_gameinfo -sr 11025 -noresamplefilter -audio_latency 2 -window -nomax -gamma 2 "
         "-noartwork -ctrlr XArcade -steadykey -cheat -effect scan75v -r 640x480 -rdtsc",
         true},
        {"pengo", "Mute=1", "-nosound -nosamples -tb -nosleep -high_priority -nohws -rdtsc"},
        {"tempest", "", "-nosleep -high_priority -gamma 2 -nohws -rdtsc"},
        {"pacman", "Artcrop=1 Bezels=0", "-nosleep -high_priority -artcrop -nobezel -nohws -rdtsc"},
        // An archive alone, or the option without an archive, says nothing about artwork.
        {"pacman", "Artwork=0 Artcrop=1", "-tb -nosleep -high_priority -noartwork -nohws -rdtsc"},
        {"pacman", "Video=-1", "-nohws -rdtsc"},
        {"pacman", "Video=0 Input=1 Mouse=1", "-window -nomax -rdtsc", true},
    };
    testing::TempFolder program;
    program.WriteFile("artwork/pacman.zip");
    program.WriteFile("artwork/gravitar.zip");
    for (const Case& c : cases) {
        MemoryProfileStore profile;
        Store(profile, c.settings);
        const EmulatorArguments arguments = BuildForStart(c.gameText, program.Path(), profile);
        EXPECT_EQ(arguments.text,
                  '"' + std::string(c.gameText) + "\" -norc -skip_disclaimer " + c.options);
        EXPECT_EQ(arguments.detach, c.detach) << c.options;
    }
    // The advanced options can drop the fixed ones; Bypass keeps only the head.
    MemoryProfileStore profile;
    Store(profile, "Resolution=-1 Effects=-1 NoSkipDislaimer=1 NoRDTSC=-1");
    EXPECT_EQ(BuildForStart("pengo", "/nonexistent/", profile).text,
              "\"pengo\" -norc -tb -nosleep -high_priority -nohws -nordtsc");
    Store(profile, "Bypass=1 Video=0");
    EXPECT_EQ(BuildForStart("pacman -cheat", "/nonexistent/", profile).text, "\"pacman\" -cheat");
    EXPECT_FALSE(BuildForStart("pacman -cheat", "/nonexistent/", profile).detach);
}

// Each list position has its effect; a position outside the list leaves the name out.
TEST(CommandLine, EffectArgumentFollowsEffectScanlinesAndMask) {
    const auto ending = [](const std::string& settings) {
        MemoryProfileStore profile;
        Store(profile, settings.c_str());
        const std::string text = BuildForStart("pacman", "/nonexistent/", profile).text;
        return text.substr(text.rfind(" -", text.size() - 8));
    };
    const char* scanlines[] = {"scan", "scan25", "scan50", "scan75", "scan75v", "scan"};
    const char* masks[] = {"rgb", "rgb3", "rgb4", "rgb6", "rgb16", "rgbtiny", "rgb4v", "rgb"};
    for (int i = -1; i <= 4; ++i) {
        EXPECT_EQ(ending("Effects=2 Scanlines=" + std::to_string(i)),
                  std::string(" -effect ") + scanlines[i + 1] + " -rdtsc");
    }
    for (int i = -1; i <= 6; ++i) {
        EXPECT_EQ(ending("Effects=3 Mask=" + std::to_string(i)),
                  std::string(" -effect ") + masks[i + 1] + " -rdtsc");
    }
    EXPECT_EQ(ending("Effects=1"), " -effect sharp -rdtsc");
    EXPECT_EQ(ending("Effects=3 Mask=3 D3d=1"), " -d3deffect rgb16 -rdtsc");
}

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

// The lookup name keeps the typed options and the file ending; only '/' separates folders.
TEST(PerGameRules, LookupNamesAreTheLowerCaseFileNameAsTyped) {
    EXPECT_EQ(LookupNameOf("ROMS/Tempest.ZIP"), "tempest.zip");
    EXPECT_TRUE(IsVectorGame("tempest.zip"));
    EXPECT_EQ(LookupNameOf("/roms/Aztarac -cheat"), "aztarac -cheat");
    EXPECT_EQ(LookupNameOf("roms\\Tempest"), "roms\\tempest");
}

// Only a file in the artwork folder counts, and it is looked for at each Start.
TEST(PerGameRules, ArtworkArchiveIsAFileBesideTheProgramAskedAfreshEachTime) {
    testing::TempFolder program;
    program.MakeFolder("artwork/galaga.zip");
    program.WriteFile("pacman.zip");
    EXPECT_FALSE(HasArtworkArchive(program.Path(), "galaga") ||
                 HasArtworkArchive(program.Path(), "pacman"));
    program.WriteFile("artwork/pacman.zip");
    EXPECT_TRUE(HasArtworkArchive(program.Path(), "pacman") &&
                HasArtworkArchive(program.Path(), "pacman.zip"));
}

TEST(FullScreenLayout, EnteringMovesLeftBy6AndDownBy100) {
    EXPECT_EQ(EnteringFullScreenRect({200, 300, 75, 23}), (ControlRect{194, 400, 75, 23}));
    EXPECT_EQ(EnteringFullScreenRect({-40, -120, 3, 2}), (ControlRect{-46, -20, 3, 2}));
}

}  // namespace
}  // namespace kestrun
