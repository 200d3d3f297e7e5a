#include "launch/command_line_builder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>
#include <vector>

#include "launch/per_game_rules.h"
#include "options/launch_options.h"
#include "options/option_lists.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using testing::MemoryProfileStore;

template <std::size_t Size>
std::string_view SelectedText(const std::array<std::string_view, Size>& items, int position) {
    return position >= 0 && position < static_cast<int>(Size) ? items[position] : "";
}

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
// lookup name in the program folder, list texts from the options' positions.
EmulatorArguments BuildForStart(std::string_view gameText, const std::string& programFolder,
                                MemoryProfileStore& profile) {
    const LaunchOptions options = LoadLaunchOptions(profile);
    profile.ClearLog();
    const std::string lookupName = LookupNameOf(TrimGameText(gameText));
    const CommandLineRequest request{
        .gameText = TrimGameText(gameText),
        .options = options,
        .vectorGame = IsVectorGame(lookupName),
        .artworkInUse = options.Artwork != 0 && HasArtworkArchive(programFolder, lookupName),
        .controllerText = SelectedText(ControllerListItems, options.Ctrlr),
        .resolutionText = SelectedText(ResolutionListItems, options.Resolution)};
    return BuildCommandLine(request, profile);
}

TEST(CommandHead, QuotesTheNameAndKeepsTypedOptions) {
    const std::pair<const char*, const char*> cases[] = {
        {"pacman", "\"pacman\""},
        {"  pacman \t", "\"pacman\""},
        {"Pacman -nosound", "\"Pacman\" -nosound"},
        {"pacman   -nosound -cheat", "\"pacman\" -nosound -cheat"},
        {"pacman\t -nosound", "\"pacman\" -nosound"},
        {"my game -x", "\"my game\" -x"},
        {"pac-man", "\"pac-man\""},
        {"pacman\t-nosound", "\"pacman\t-nosound\""},
        {"-nosound", "\"-nosound\""},
        {"   ", "\"\""},
    };
    for (const auto& [gameText, head] : cases) {
        EXPECT_EQ(BuildCommandHead(gameText), head) << '[' << gameText << ']';
    }
}

// The first three rows between them put every pair of rules that can hold together on one
// line, so two rules built in the wrong order change one of them.
TEST(CommandLine, RulesAppendInTheirOrder) {
    struct Case {
        const char* gameText;
        const char* settings;
        const char* expected;
        bool detach = false;
    };
    const Case cases[] = {
        {"gravitar",
         "Steadykey=1 Mute=1 Ctrlr=1 Joystick=1 Mouse=1 Effects=3 Mask=4 Resolution=5 Cheat=1 "
         "Lightgun=1 Artcrop=1 Artres=1 LoFi=1 D3d=1 Scanlines=0 BackdropsOverlays=0 Bezels=0 "
         "NoSkipGameinfo=0 Flt=0 TextureManagement=0 Feedback=1 Slider=30 NoRDTSC=1",
         "\"gravitar\" -norc -skip_disclaimer -skip_gameinfo -d3d -d3dprescale none -d3dfilter 0 "
         "-nod3dtexmanage -d3dfeedback 30 -nosound -nosamples -nosleep -high_priority -gamma 2 "
         "-artcrop -artres 2 -nobackdrop -nooverlay -nobezel -mouse -joystick -lightgun "
         "-steadykey -cheat -nohws -d3deffect rgbtiny -r 640x480 -nordtsc"},
        {"bzone",
         "Steadykey=1 Stretch=1 Input=1 Video=0 Ctrlr=0 Mouse=1 Effects=2 Scanlines=3 "
         "Resolution=8 Cheat=1 Artwork=0 LoFi=1 BackdropsOverlays=0 Bezels=0 NoSkipGameinfo=0",
         "\"bzone\" -norc -skip_disclaimer -skip_gameinfo -sr 11025 -noresamplefilter "
         "-audio_latency 2 -window -nomax -gamma 2 -noartwork -ctrlr HotRod -steadykey -cheat "
         "-effect scan75v -r 1280x1024 -rdtsc",
         true},
        {"pengo", "Mute=1",
         "\"pengo\" -norc -skip_disclaimer -nosound -nosamples -tb -nosleep -high_priority "
         "-nohws -rdtsc"},
        {"pengo", "", "\"pengo\" -norc -skip_disclaimer -tb -nosleep -high_priority -nohws -rdtsc"},
        {"pacman", "Video=0", "\"pacman\" -norc -skip_disclaimer -window -nomax -rdtsc", true},
        {"tempest", "",
         "\"tempest\" -norc -skip_disclaimer -nosleep -high_priority -gamma 2 -nohws -rdtsc"},
        {"pacman", "Artcrop=1 Bezels=0",
         "\"pacman\" -norc -skip_disclaimer -nosleep -high_priority -artcrop -nobezel -nohws "
         "-rdtsc"},
        // An archive alone, or the option without an archive, says nothing about artwork.
        {"pacman", "Artwork=0 Artcrop=1",
         "\"pacman\" -norc -skip_disclaimer -tb -nosleep -high_priority -noartwork -nohws -rdtsc"},
        {"galaga", "Artcrop=1",
         "\"galaga\" -norc -skip_disclaimer -tb -nosleep -high_priority -nohws -rdtsc"},
        {"pacman", "Video=-1", "\"pacman\" -norc -skip_disclaimer -nohws -rdtsc"},
        {"pacman", "Video=2 Stretch=1", "\"pacman\" -norc -skip_disclaimer -rdtsc"},
        {"pacman", "Video=0 Input=1 Mouse=1",
         "\"pacman\" -norc -skip_disclaimer -window -nomax -rdtsc", true},
        {"pacman", "Video=0 Input=-1 Ctrlr=2 Mouse=1",
         "\"pacman\" -norc -skip_disclaimer -window -nomax -rdtsc", true},
        {"pacman", "Video=0 Input=1 Ctrlr=3",
         "\"pacman\" -norc -skip_disclaimer -window -nomax -ctrlr XArcade -rdtsc", true},
        {"pengo", "Resolution=-1 Effects=-1 NoSkipDislaimer=1 NoRDTSC=-1",
         "\"pengo\" -norc -tb -nosleep -high_priority -nohws -nordtsc"},
        {"pacman -cheat", "Bypass=1 Video=0", "\"pacman\" -cheat"},
    };
    testing::TempFolder program;
    program.WriteFile("artwork/pacman.zip");
    program.WriteFile("artwork/gravitar.zip");
    for (const Case& c : cases) {
        MemoryProfileStore profile;
        Store(profile, c.settings);
        const EmulatorArguments arguments = BuildForStart(c.gameText, program.Path(), profile);
        EXPECT_EQ(arguments.text, c.expected);
        EXPECT_EQ(arguments.detach, c.detach) << c.expected;
    }
}

TEST(CommandLine, EffectArgumentFollowsEffectScanlinesAndMask) {
    struct Case {
        std::int32_t effects, scanlines, mask, d3d;
        const char* ending;
    };
    const Case cases[] = {
        {0, 3, 3, 0, " -nohws -rdtsc"},          {1, 3, 3, 0, " -effect sharp -rdtsc"},
        {2, 0, 3, 0, " -effect scan25 -rdtsc"},  {2, 1, 3, 0, " -effect scan50 -rdtsc"},
        {2, 2, 3, 0, " -effect scan75 -rdtsc"},  {2, 3, 3, 0, " -effect scan75v -rdtsc"},
        {2, -1, 3, 0, " -effect scan -rdtsc"},   {2, 4, 3, 0, " -effect scan -rdtsc"},
        {3, 1, 0, 0, " -effect rgb3 -rdtsc"},    {3, 1, 1, 0, " -effect rgb4 -rdtsc"},
        {3, 1, 2, 0, " -effect rgb6 -rdtsc"},    {3, 1, 3, 0, " -effect rgb16 -rdtsc"},
        {3, 1, 4, 0, " -effect rgbtiny -rdtsc"}, {3, 1, 5, 0, " -effect rgb4v -rdtsc"},
        {3, 1, -1, 0, " -effect rgb -rdtsc"},    {3, 1, 6, 0, " -effect rgb -rdtsc"},
        {4, 1, 0, 0, " -effect  -rdtsc"},        {3, 1, 3, 1, " -d3deffect rgb16 -rdtsc"},
    };
    for (const Case& c : cases) {
        MemoryProfileStore profile;
        profile.WriteProfileInt(ProfileSection, "Effects", c.effects);
        profile.WriteProfileInt(ProfileSection, "Scanlines", c.scanlines);
        profile.WriteProfileInt(ProfileSection, "Mask", c.mask);
        profile.WriteProfileInt(ProfileSection, "D3d", c.d3d);
        const std::string text = BuildForStart("pacman", "/nonexistent/", profile).text;
        EXPECT_TRUE(text.ends_with(c.ending)) << text;
    }
}

TEST(CommandLine, AdvancedOptionsAreReadOnlyWhenTheirRuleIsReached) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"Feedback=1", {"NoSkipDislaimer", "NoSkipGameinfo", "NoRDTSC"}},
        {"D3d=1 Feedback=0",
         {"NoSkipDislaimer", "NoSkipGameinfo", "Flt", "TextureManagement", "Feedback", "NoRDTSC"}},
        {"D3d=1 Feedback=1",
         {"NoSkipDislaimer", "NoSkipGameinfo", "Flt", "TextureManagement", "Feedback", "Slider",
          "NoRDTSC"}},
        {"Bypass=1 D3d=1", {}},
    };
    for (const auto& [settings, reads] : cases) {
        MemoryProfileStore profile;
        Store(profile, settings);
        BuildForStart("pacman", "/nonexistent/", profile);
        EXPECT_EQ(profile.Reads(), reads) << settings;
    }
}

}  // namespace
}  // namespace kestrun
