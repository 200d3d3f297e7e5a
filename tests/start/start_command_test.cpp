#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/start/start_fixture.h"

namespace kestrun::testing {
namespace {

using Arguments = std::vector<std::string>;

struct LaunchCase {
    const char* name;
    const char* gameText;
    std::function<void(LaunchOptions&)> change;
    const char* artworkFile;  // made under the program folder when set
    Arguments expected;       // after the program name
    const char* session;      // "1" when the emulator leads a session of its own
    std::vector<std::string> captions;
};

void PrintTo(const LaunchCase& c, std::ostream* out) {
    *out << c.name;
}

void Keep(LaunchOptions&) {}

const LaunchCase LaunchCases[] = {
    {"Defaults",
     "pacman",
     Keep,
     nullptr,
     {"pacman", "-norc", "-skip_disclaimer", "-tb", "-nosleep", "-high_priority", "-nohws",
      "-rdtsc"},
     "0",
     {}},
    {"WindowMode",
     "pacman",
     [](LaunchOptions& o) { o.Video = 0; },
     nullptr,
     {"pacman", "-norc", "-skip_disclaimer", "-window", "-nomax", "-rdtsc"},
     "1",
     {}},
    {"BypassRunsTheHeadOnlyAndNeverDetaches",
     "  pacman -nosound ",
     [](LaunchOptions& o) {
         o.Bypass = 1;
         o.Video = 0;
     },
     nullptr,
     {"pacman", "-nosound"},
     "0",
     {"Bypass enabled"}},
    {"BypassRunsASoundGameWhileMuted",
     "cabal",
     [](LaunchOptions& o) {
         o.Bypass = 1;
         o.Mute = 1;
     },
     nullptr,
     {"cabal"},
     "0",
     {"Bypass enabled"}},
    {"TypedOptionsComeBeforeTheGeneratedOnes",
     "  pacman   -nosound -cheat  ",
     Keep,
     nullptr,
     {"pacman", "-nosound", "-cheat", "-norc", "-skip_disclaimer", "-tb", "-nosleep",
      "-high_priority", "-nohws", "-rdtsc"},
     "0",
     {}},
    {"VectorGame",
     "ROMS/Tempest.ZIP",
     Keep,
     nullptr,
     {"ROMS/Tempest.ZIP", "-norc", "-skip_disclaimer", "-nosleep", "-high_priority", "-gamma", "2",
      "-nohws", "-rdtsc"},
     "0",
     {}},
    {"ArtworkArchive",
     "Pacman",
     [](LaunchOptions& o) {
         o.Artcrop = 1;
         o.Bezels = 0;
     },
     "artwork/pacman.zip",
     {"Pacman", "-norc", "-skip_disclaimer", "-nosleep", "-high_priority", "-artcrop", "-nobezel",
      "-nohws", "-rdtsc"},
     "0",
     {}},
    {"ListTextsOfTheWindow",
     "pacman",
     [](LaunchOptions& o) {
         o.Input = 1;
         o.Ctrlr = 0;
         o.Resolution = 5;
     },
     nullptr,
     {"pacman", "-norc", "-skip_disclaimer", "-tb", "-nosleep", "-high_priority", "-ctrlr",
      "XArcade", "-nohws", "-r", "1024x768", "-rdtsc"},
     "0",
     {}},
};

class StartLaunchTest : public StartCommandTest,
                        public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(StartLaunchTest, TheEmulatorGetsTheExpectedArguments) {
    const LaunchCase& c = GetParam();
    c.change(host.options);
    host.gameText = c.gameText;
    host.controllerText = "XArcade";
    host.resolutionText = "1024x768";
    if (c.artworkFile != nullptr) {
        WriteProgramFile(c.artworkFile);
    }

    Start();

    Arguments expected = {"mame.exe"};
    expected.insert(expected.end(), c.expected.begin(), c.expected.end());
    const EmulatorRecord record = ReadRecord();
    EXPECT_EQ(record.arguments, expected);
    EXPECT_EQ(record.facts.at("session"), c.session);

    std::vector<std::string> captions;
    for (const MessageBoxRequest& shown : messages.Shown()) {
        captions.push_back(shown.caption);
    }
    EXPECT_EQ(captions, c.captions);
    EXPECT_EQ(host.log.front(), "read");
    EXPECT_EQ(host.log.back(), "focus");
}

INSTANTIATE_TEST_SUITE_P(Starts, StartLaunchTest, ::testing::ValuesIn(LaunchCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    const char* gameText;
    std::function<void(LaunchOptions&)> change;
    bool emulatorInstalled;
    MessageResult answer;
    MessageBoxRequest expected;
    std::vector<std::string> log;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

const RefusalCase RefusalCases[] = {
    {"BlankGameText",
     " \t  ",
     Keep,
     true,
     MessageResult::Ok,
     {"You have to select or type in a rom name.", "Kestrun", MessageButtons::Ok,
      MessageIcon::Exclamation},
     {"read", "focus"}},
    {"NoEmulator",
     " pacman ",
     Keep,
     false,
     MessageResult::Ok,
     {"Kestrun and MAME should be installed in the same folder.", "mame not found",
      MessageButtons::Ok, MessageIcon::Exclamation},
     {"read", "history:pacman", "focus"}},
    {"BypassCancelled",
     "pacman",
     [](LaunchOptions& o) { o.Bypass = 1; },
     true,
     MessageResult::Cancel,
     {"You are running Kestrun in Bypass mode.\nAll selected options will be ignored.",
      "Bypass enabled", MessageButtons::OkCancel, MessageIcon::Information},
     {"read", "history:pacman", "focus"}},
    {"SoundGameWhileMuted",
     "ROMS/Cabal",
     [](LaunchOptions& o) { o.Mute = 1; },
     true,
     MessageResult::Ok,
     {"This game cannot run properly without sound.\nPlease enable sound and try again.", "cabal",
      MessageButtons::Ok, MessageIcon::Exclamation},
     {"read", "history:ROMS/Cabal", "focus"}},
};

class StartRefusalTest : public StartCommandTest,
                         public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(StartRefusalTest, TellsTheUserAndRunsNothing) {
    const RefusalCase& c = GetParam();
    c.change(host.options);
    host.gameText = c.gameText;
    if (!c.emulatorInstalled) {
        std::filesystem::remove(ProgramFolder() + "mame.exe");
    }
    messages.Answer(c.answer);

    Start();

    ASSERT_EQ(messages.Shown().size(), 1u);
    const MessageBoxRequest& shown = messages.Shown().front();
    EXPECT_EQ(shown.text, c.expected.text);
    EXPECT_EQ(shown.caption, c.expected.caption);
    EXPECT_EQ(shown.buttons, c.expected.buttons);
    EXPECT_EQ(shown.icon, c.expected.icon);
    EXPECT_EQ(host.log, c.log);
    EXPECT_FALSE(EmulatorRan());
    EXPECT_EQ(StreamContent(), "");
}

INSTANTIATE_TEST_SUITE_P(Refusals, StartRefusalTest, ::testing::ValuesIn(RefusalCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrun::testing
