#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/launch/start/start_fixture.h"

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

}  // namespace
}  // namespace kestrun::testing
