#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/start/start_fixture.h"

namespace kestrun::testing {
namespace {

using Words = std::vector<std::string>;

const Words SpecLine{"mame.exe",       "pacman",           "-video", "none",
                     "-norc",          "-skip_disclaimer", "-tb",    "-nosleep",
                     "-high_priority", "-nohws",           "-rdtsc"};
const Words Translated{"mame.exe", "pacman",       "-video",  "none",     "-norc",   "-ctrlrpath",
                       "ctrlr",    "-pluginspath", "plugins", "-artpath", "artwork", "-bgfx_path",
                       "bgfx",     "-snapname",    "%g",      "-nosleep"};

struct ModeCase {
    const char* name;
    int stored;  // the TranslateOptions key; -2: absent
    bool currentMame;
    bool bypass;
    Words arguments;
};

void PrintTo(const ModeCase& c, std::ostream* out) {
    *out << c.name;
}

const ModeCase ModeCases[] = {
    {"AutomaticTranslatesForACurrentMame", -2, true, false, Translated},
    {"AutomaticKeepsTheLineForAnyOtherEmulator", -2, false, false, SpecLine},
    {"AnUnknownStoredValueIsAutomatic", 7, true, false, Translated},
    {"OffKeepsTheLine", 0, true, false, SpecLine},
    {"OnTranslatesForAnyEmulator", 1, false, false, Translated},
    {"BypassRunsTheTypedTextAsItIs", 1, true, true, {"mame.exe", "pacman", "-video", "none"}},
};

class StartTranslationTest : public StartCommandTest,
                             public ::testing::WithParamInterface<ModeCase> {};

TEST_P(StartTranslationTest, TranslatesTheGeneratedOptionsOnlyWhenItShould) {
    const ModeCase& c = GetParam();
    if (c.stored != -2) {
        profile.WriteProfileInt(ProfileSection, "TranslateOptions", c.stored);
    }
    facts.facts.version = c.currentMame ? "0.251" : "";
    host.options.Bypass = c.bypass ? 1 : 0;
    host.gameText = "pacman -video none";

    Start();

    EXPECT_EQ(ReadRecord().arguments, c.arguments);
}

INSTANTIATE_TEST_SUITE_P(Modes, StartTranslationTest, ::testing::ValuesIn(ModeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A current MAME's failure is explained, with the line that really ran in the details.
TEST_F(StartCommandTest, ACurrentMamesFailureIsExplained) {
    facts.facts.version = "0.251";
    Set("TEST_EMULATOR_STDOUT_TEXT", "Error: unknown option: -video\n");
    Set("TEST_EMULATOR_EXIT_CODE", "6");
    host.gameText = "pacman -video none";

    Start();

    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text,
              "MAME does not accept the option -video, which you typed after the game name.");
    EXPECT_EQ(messages.Shown()[0].details,
              "Command line:\nmame.exe \"pacman\" -video none -norc -ctrlrpath ctrlr "
              "-pluginspath plugins -artpath artwork -bgfx_path bgfx -snapname %g -nosleep\n\n"
              "Output:\nError: unknown option: -video\n");
}

}  // namespace
}  // namespace kestrun::testing
