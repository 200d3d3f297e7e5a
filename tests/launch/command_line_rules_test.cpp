#include <gtest/gtest.h>

#include "launch/command_line_builder.h"
#include "tests/launch/start_request.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using testing::MemoryProfileStore;
using testing::StartRequest;

// Three combinations that between them make every pair of rules that can hold together
// appear in one line, so any two rules built in the wrong order change one of these lines.
TEST(CommandLineRules, EveryRuleAppearsInItsPlace) {
    testing::TempFolder program;
    program.WriteFile("artwork/gravitar.zip");

    MemoryProfileStore everythingOn;
    everythingOn.WriteProfileInt(ProfileSection, "NoSkipGameinfo", 0);
    everythingOn.WriteProfileInt(ProfileSection, "Flt", 0);
    everythingOn.WriteProfileInt(ProfileSection, "TextureManagement", 0);
    everythingOn.WriteProfileInt(ProfileSection, "Feedback", 1);
    everythingOn.WriteProfileInt(ProfileSection, "Slider", 30);
    everythingOn.WriteProfileInt(ProfileSection, "NoRDTSC", 1);
    LaunchOptions direct3dVector = DefaultLaunchOptions();
    direct3dVector.D3d = 1;
    direct3dVector.Mute = 1;
    direct3dVector.LoFi = 1;
    direct3dVector.Artcrop = 1;
    direct3dVector.Artres = 1;
    direct3dVector.BackdropsOverlays = 0;
    direct3dVector.Bezels = 0;
    direct3dVector.Mouse = 1;
    direct3dVector.Joystick = 1;
    direct3dVector.Lightgun = 1;
    direct3dVector.Ctrlr = 1;
    direct3dVector.Steadykey = 1;
    direct3dVector.Cheat = 1;
    direct3dVector.Effects = 3;
    direct3dVector.Mask = 4;
    direct3dVector.Resolution = 5;
    const EmulatorArguments first =
        BuildCommandLine(StartRequest("gravitar", direct3dVector, program.Path()), everythingOn);
    EXPECT_EQ(first.text,
              "\"gravitar\" -norc -skip_disclaimer -skip_gameinfo -d3d -d3dprescale none "
              "-d3dfilter 0 -nod3dtexmanage -d3dfeedback 30 -nosound -nosamples -nosleep "
              "-high_priority -gamma 2 -artcrop -artres 2 -nobackdrop -nooverlay -nobezel -mouse "
              "-joystick -lightgun -steadykey -cheat -nohws -d3deffect rgbtiny -r 640x480 "
              "-nordtsc");
    EXPECT_FALSE(first.detach);

    MemoryProfileStore noGameInfo;
    noGameInfo.WriteProfileInt(ProfileSection, "NoSkipGameinfo", 0);
    LaunchOptions windowController = DefaultLaunchOptions();
    windowController.LoFi = 1;
    windowController.Video = 0;
    windowController.Stretch = 1;
    windowController.Artwork = 0;
    windowController.Input = 1;
    windowController.Ctrlr = 0;
    windowController.Mouse = 1;
    windowController.Steadykey = 1;
    windowController.Cheat = 1;
    windowController.Effects = 2;
    windowController.Scanlines = 3;
    windowController.Resolution = 8;
    const EmulatorArguments second =
        BuildCommandLine(StartRequest("bzone", windowController, program.Path()), noGameInfo);
    EXPECT_EQ(second.text,
              "\"bzone\" -norc -skip_disclaimer -skip_gameinfo -sr 11025 -noresamplefilter "
              "-audio_latency 2 -window -nomax -gamma 2 -noartwork -ctrlr HotRod -steadykey "
              "-cheat -effect scan75v -r 1280x1024 -rdtsc");
    EXPECT_TRUE(second.detach);

    MemoryProfileStore empty;
    LaunchOptions muted = DefaultLaunchOptions();
    muted.Mute = 1;
    EXPECT_EQ(BuildCommandLine(StartRequest("pacman", muted, program.Path()), empty).text,
              "\"pacman\" -norc -skip_disclaimer -nosound -nosamples -tb -nosleep "
              "-high_priority -nohws -rdtsc");
}

TEST(CommandLineRules, EffectArgumentFollowsEffectScanlinesAndMask) {
    struct Case {
        std::int32_t effects, scanlines, mask, d3d;
        const char* ending;
    };
    const Case cases[] = {
        {0, 3, 3, 0, " -nohws -rdtsc"},           {-1, 3, 3, 0, " -nohws -rdtsc"},
        {1, 3, 3, 0, " -effect sharp -rdtsc"},    {2, 0, 3, 0, " -effect scan25 -rdtsc"},
        {2, 1, 3, 0, " -effect scan50 -rdtsc"},   {2, 2, 3, 0, " -effect scan75 -rdtsc"},
        {2, 3, 3, 0, " -effect scan75v -rdtsc"},  {2, -1, 3, 0, " -effect scan -rdtsc"},
        {2, 4, 3, 0, " -effect scan -rdtsc"},     {3, 1, 0, 0, " -effect rgb3 -rdtsc"},
        {3, 1, 1, 0, " -effect rgb4 -rdtsc"},     {3, 1, 2, 0, " -effect rgb6 -rdtsc"},
        {3, 1, 3, 0, " -effect rgb16 -rdtsc"},    {3, 1, 4, 0, " -effect rgbtiny -rdtsc"},
        {3, 1, 5, 0, " -effect rgb4v -rdtsc"},    {3, 1, -1, 0, " -effect rgb -rdtsc"},
        {3, 1, 6, 0, " -effect rgb -rdtsc"},      {4, 1, 0, 0, " -effect  -rdtsc"},
        {3, 1, 3, 1, " -d3deffect rgb16 -rdtsc"}, {2, 3, 0, 1, " -d3deffect scan75v -rdtsc"},
    };
    for (const Case& c : cases) {
        LaunchOptions options = DefaultLaunchOptions();
        options.Effects = c.effects;
        options.Scanlines = c.scanlines;
        options.Mask = c.mask;
        options.D3d = c.d3d;
        MemoryProfileStore profile;
        const std::string text = BuildCommandLine(StartRequest("pacman", options), profile).text;
        EXPECT_TRUE(text.ends_with(c.ending))
            << text << " for effect " << c.effects << '/' << c.scanlines << '/' << c.mask;
    }
}

// A radio group with nothing chosen reads back as -1; other stored numbers can reach the
// record unclamped too.
TEST(CommandLineRules, VideoWithoutAChoiceIsNeitherWindowNorFullScreen) {
    for (const std::int32_t video : {-1, 2}) {
        LaunchOptions options = DefaultLaunchOptions();
        options.Video = video;
        MemoryProfileStore profile;
        const EmulatorArguments arguments =
            BuildCommandLine(StartRequest("pacman", options), profile);
        EXPECT_EQ(arguments.text, "\"pacman\" -norc -skip_disclaimer -nohws -rdtsc") << video;
        EXPECT_FALSE(arguments.detach) << video;
    }
}

TEST(CommandLineRules, InputModeDecidesWhichDevicesCount) {
    struct Case {
        std::int32_t input, ctrlr;
        const char* expected;
    };
    const Case cases[] = {
        {0, 2,
         "\"pacman\" -norc -skip_disclaimer -window -nomax -mouse -joystick -lightgun -rdtsc"},
        {1, 2, "\"pacman\" -norc -skip_disclaimer -window -nomax -ctrlr SlikStik -rdtsc"},
        {1, -1, "\"pacman\" -norc -skip_disclaimer -window -nomax -rdtsc"},
        {-1, 2, "\"pacman\" -norc -skip_disclaimer -window -nomax -rdtsc"},
    };
    for (const Case& c : cases) {
        LaunchOptions options = DefaultLaunchOptions();
        options.Video = 0;
        options.Input = c.input;
        options.Ctrlr = c.ctrlr;
        options.Mouse = options.Joystick = options.Lightgun = 1;
        MemoryProfileStore profile;
        EXPECT_EQ(BuildCommandLine(StartRequest("pacman", options), profile).text, c.expected)
            << c.input << '/' << c.ctrlr;
    }
}

}  // namespace
}  // namespace kestrun
