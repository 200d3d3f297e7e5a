#include "launch/command_line_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "launch/emulator_selection.h"
#include "tests/launch/start_request.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::MemoryProfileStore;
using ::testing::Not;
using testing::StartRequest;

EmulatorArguments Build(std::string_view gameText, const LaunchOptions& options,
                        const std::string& programFolder = "/nonexistent/") {
    MemoryProfileStore profile;
    return BuildCommandLine(StartRequest(gameText, options, programFolder), profile);
}

TEST(CommandHead, QuotesTheNameAndKeepsTypedOptions) {
    struct Case {
        const char* gameText;
        const char* head;
    };
    const Case cases[] = {
        {"pacman", "\"pacman\""},
        {"  pacman \t", "\"pacman\""},
        {"Pacman -nosound", "\"Pacman\" -nosound"},
        {"pacman   -nosound -cheat", "\"pacman\" -nosound -cheat"},
        {"pacman\t -nosound", "\"pacman\" -nosound"},
        {"/roms/Galaga.zip", "\"/roms/Galaga.zip\""},
        {"my game -x", "\"my game\" -x"},
        {"pac-man", "\"pac-man\""},
        {"pacman\t-nosound", "\"pacman\t-nosound\""},
        {"-nosound", "\"-nosound\""},
        {"   ", "\"\""},
        {"", "\"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildCommandHead(c.gameText), c.head) << '[' << c.gameText << ']';
    }
}

TEST(CommandLine, DefaultsGiveTheStandardFullScreenLine) {
    testing::TempFolder program;
    program.WriteFile("mame.exe");
    MemoryProfileStore profile;
    testing::ScriptedMessageBox messages;

    const EmulatorArguments arguments =
        BuildCommandLine(StartRequest("pacman", DefaultLaunchOptions(), program.Path()), profile);
    const auto command =
        SelectEmulator(program.Path(), arguments.text, 0, arguments.detach, messages);

    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->commandLine,
              "mame.exe \"pacman\" -norc -skip_disclaimer -tb -nosleep -high_priority -nohws "
              "-rdtsc");
    EXPECT_FALSE(command->detach);
}

TEST(CommandLine, WindowModeDetachesAndDropsTheFullScreenOptions) {
    LaunchOptions options = DefaultLaunchOptions();
    options.Video = 0;
    const EmulatorArguments arguments = Build("pacman", options);
    EXPECT_EQ(arguments.text, "\"pacman\" -norc -skip_disclaimer -window -nomax -rdtsc");
    EXPECT_TRUE(arguments.detach);
}

TEST(CommandLine, VectorGameGetsGammaInsteadOfTripleBuffering) {
    EXPECT_EQ(Build("tempest", DefaultLaunchOptions()).text,
              "\"tempest\" -norc -skip_disclaimer -nosleep -high_priority -gamma 2 -nohws -rdtsc");
    EXPECT_THAT(Build("ROMS/Tempest.ZIP", DefaultLaunchOptions()).text, HasSubstr(" -gamma 2"));
}

TEST(CommandLine, TypedOptionsComeBeforeTheGeneratedOnes) {
    EXPECT_EQ(Build("pacman   -nosound -cheat", DefaultLaunchOptions()).text,
              "\"pacman\" -nosound -cheat -norc -skip_disclaimer -tb -nosleep -high_priority "
              "-nohws -rdtsc");
}

TEST(CommandLine, ArtworkArgumentsNeedBothTheArchiveAndTheOption) {
    testing::TempFolder program;
    program.WriteFile("artwork/pacman.zip");
    LaunchOptions options = DefaultLaunchOptions();
    options.Artcrop = 1;
    options.Bezels = 0;

    EXPECT_EQ(Build("pacman", options, program.Path()).text,
              "\"pacman\" -norc -skip_disclaimer -nosleep -high_priority -artcrop -nobezel "
              "-nohws -rdtsc");
    // Without an archive nothing about artwork is said, not even -noartwork.
    EXPECT_EQ(Build("galaga", options, program.Path()).text,
              "\"galaga\" -norc -skip_disclaimer -tb -nosleep -high_priority -nohws -rdtsc");

    options.Artwork = 0;
    EXPECT_EQ(Build("pacman", options, program.Path()).text,
              "\"pacman\" -norc -skip_disclaimer -tb -nosleep -high_priority -noartwork -nohws "
              "-rdtsc");
}

TEST(CommandLine, Direct3dFeedbackUsesTheStoredStrength) {
    MemoryProfileStore profile;
    profile.WriteProfileInt(ProfileSection, "Feedback", 1);
    profile.WriteProfileInt(ProfileSection, "Slider", 75);
    LaunchOptions options = DefaultLaunchOptions();
    options.D3d = 1;
    options.Effects = 1;

    const std::string text = BuildCommandLine(StartRequest("pacman", options), profile).text;
    EXPECT_THAT(text, HasSubstr(" -d3d -d3dprescale none -d3dfeedback 75 "));
    EXPECT_THAT(text, HasSubstr(" -d3deffect sharp"));
    EXPECT_THAT(text, Not(HasSubstr("-d3dfilter")));
    EXPECT_THAT(text, Not(HasSubstr("-nod3dtexmanage")));
}

TEST(CommandLine, ResolutionAndControllerUseTheListTexts) {
    LaunchOptions options = DefaultLaunchOptions();
    options.Input = 1;
    options.Mouse = 1;
    EXPECT_THAT(Build("pacman", options).text, Not(HasSubstr(" -ctrlr")));
    EXPECT_THAT(Build("pacman", options).text, Not(HasSubstr(" -mouse")));
    EXPECT_THAT(Build("pacman", options).text, Not(HasSubstr(" -r ")));

    options.Ctrlr = 3;
    options.Resolution = 8;
    EXPECT_THAT(Build("pacman", options).text, HasSubstr(" -ctrlr XArcade "));
    EXPECT_THAT(Build("pacman", options).text, HasSubstr(" -r 1280x1024 "));
}

TEST(CommandLine, BypassGivesTheHeadAloneAndReadsNothing) {
    MemoryProfileStore profile;
    LaunchOptions options = DefaultLaunchOptions();
    options.Bypass = 1;
    options.Video = 0;

    const EmulatorArguments arguments =
        BuildCommandLine(StartRequest("pacman -cheat", options), profile);
    EXPECT_EQ(arguments.text, "\"pacman\" -cheat");
    EXPECT_FALSE(arguments.detach);
    EXPECT_THAT(profile.Reads(), IsEmpty());
}

TEST(CommandLine, AdvancedOptionsAreReadOnlyWhenTheirRuleIsReached) {
    struct Case {
        const char* name;
        std::int32_t d3d;
        std::int32_t feedback;
        std::vector<std::string> reads;
    };
    const Case cases[] = {
        {"DirectDraw", 0, 1, {"NoSkipDislaimer", "NoSkipGameinfo", "NoRDTSC"}},
        {"Direct3D without feedback",
         1,
         0,
         {"NoSkipDislaimer", "NoSkipGameinfo", "Flt", "TextureManagement", "Feedback", "NoRDTSC"}},
        {"Direct3D with feedback",
         1,
         1,
         {"NoSkipDislaimer", "NoSkipGameinfo", "Flt", "TextureManagement", "Feedback", "Slider",
          "NoRDTSC"}},
    };
    for (const Case& c : cases) {
        MemoryProfileStore profile;
        profile.WriteProfileInt(ProfileSection, "Feedback", c.feedback);
        profile.ClearLog();
        LaunchOptions options = DefaultLaunchOptions();
        options.D3d = c.d3d;
        BuildCommandLine(StartRequest("pacman", options), profile);
        EXPECT_EQ(profile.Reads(), c.reads) << c.name;
    }
}

TEST(CommandLine, AdvancedOptionsTakeEffectFromTheProfile) {
    MemoryProfileStore profile;
    profile.WriteProfileInt(ProfileSection, "NoSkipDislaimer", 1);
    profile.WriteProfileInt(ProfileSection, "NoSkipGameinfo", 0);
    profile.WriteProfileInt(ProfileSection, "NoRDTSC", 7);
    EXPECT_EQ(BuildCommandLine(StartRequest("pacman", DefaultLaunchOptions()), profile).text,
              "\"pacman\" -norc -skip_gameinfo -tb -nosleep -high_priority -nohws -nordtsc");
}

}  // namespace
}  // namespace kestrun
