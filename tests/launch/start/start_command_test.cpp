#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "launch/argument_split.h"
#include "tests/launch/start/start_fixture.h"

namespace kestrun::testing {
namespace {

using Log = std::vector<std::string>;
using Settings = std::vector<std::pair<std::string, std::string>>;

const char* const DefaultLine =
    "pacman -norc -skip_disclaimer -tb -nosleep -high_priority -nohws -rdtsc";
const MessageBoxRequest BypassQuestion{
    "You are running Kestrun in Bypass mode.\nAll selected options will be ignored.",
    "Bypass enabled", MessageButtons::OkCancel, MessageIcon::Information};
// The window's calls of a Start that the checks end before the run.
const Log Refused{"read", "history:pacman", "focus"};
const Log HiddenRun{"read", "history:pacman", "hide", "wait", "show", "snapshot:pacman", "focus"};

// One Start: what the window holds, how the emulator behaves, and what follows.
struct StartCase {
    const char* name;
    const char* gameText = "pacman";
    void (*change)(LaunchOptions&) = [](LaunchOptions&) {};
    void (*prepare)(const std::string& programFolder) = [](const std::string&) {};
    Settings emulator = {};
    MessageResult answer = MessageResult::Ok;
    bool displaySwitched = false;
    bool switchedDuringRun = false;   // the full-screen mode comes on while the emulator runs
    const char* arguments = nullptr;  // after the program name; nullptr: nothing runs
    const char* session = "0";        // "1" when the emulator leads a session of its own
    std::vector<MessageBoxRequest> shown = {};
    std::string errorOutput = "";
    Log log = HiddenRun;
};

void PrintTo(const StartCase& c, std::ostream* out) {
    *out << c.name;
}

const StartCase StartCases[] = {
    {.name = "HiddenDuringAFailedRun",
     .emulator = {{"TEST_EMULATOR_EXIT_CODE", "1"}},
     .arguments = DefaultLine},
    {.name = "WindowModeInANewSession",
     .change = [](LaunchOptions& o) { o.Video = 0; },
     .arguments = "pacman -norc -skip_disclaimer -window -nomax -rdtsc",
     .session = "1"},
    {.name = "FullScreenIsReappliedAfterASuccessfulRun",
     .displaySwitched = true,
     .arguments = DefaultLine,
     .log = {"read", "history:pacman", "wait", "snapshot:pacman", "reassert", "focus"}},
    // The mode is read again after the run, not only before it.
    {.name = "FullScreenTurnedOnDuringTheRun",
     .switchedDuringRun = true,
     .arguments = DefaultLine,
     .log = {"read", "history:pacman", "hide", "wait", "snapshot:pacman", "reassert", "focus"}},
    {.name = "BypassAsksThenRunsTheHeadOnly",
     .gameText = "  pacman -nosound\t",
     .change =
         [](LaunchOptions& o) {
             o.Bypass = 1;
             o.Video = 0;
         },
     .arguments = "pacman -nosound",
     .shown = {BypassQuestion},
     .log = {"read", "history:pacman -nosound", "hide", "wait", "show", "snapshot:pacman -nosound",
             "focus"}},
    // The sound refusal is one of the options Bypass ignores.
    {.name = "BypassRunsASoundGameWhileMuted",
     .gameText = "cabal",
     .change =
         [](LaunchOptions& o) {
             o.Bypass = 1;
             o.Mute = 1;
         },
     .arguments = "cabal",
     .shown = {BypassQuestion},
     .log = {"read", "history:cabal", "hide", "wait", "show", "snapshot:cabal", "focus"}},
    {.name = "ArtworkArchive",
     .change =
         [](LaunchOptions& o) {
             o.Artcrop = 1;
             o.Bezels = 0;
         },
     .prepare =
         [](const std::string& folder) {
             std::filesystem::create_directories(folder + "artwork");
             std::filesystem::copy_file(folder + "mame.exe", folder + "artwork/pacman.zip");
         },
     .arguments = "pacman -norc -skip_disclaimer -nosleep -high_priority -artcrop -nobezel -nohws "
                  "-rdtsc"},
    // Refusals: the history keeps the text from the moment it is not blank.
    {.name = "BlankGameText",
     .gameText = " \t ",
     .shown = {{"You have to select or type in a rom name.", "Kestrun", MessageButtons::Ok,
                MessageIcon::Exclamation}},
     .log = {"read", "focus"}},
    {.name = "NoEmulator",
     .prepare = [](const std::string& folder) { std::filesystem::remove(folder + "mame.exe"); },
     .shown = {{"Kestrun and MAME should be installed in the same folder.", "mame not found",
                MessageButtons::Ok, MessageIcon::Exclamation}},
     .log = Refused},
    {.name = "BypassCancelled",
     .change = [](LaunchOptions& o) { o.Bypass = 1; },
     .answer = MessageResult::Cancel,
     .shown = {BypassQuestion},
     .log = Refused},
    {.name = "SoundGameWhileMuted",
     .gameText = "ROMS/Cabal",
     .change = [](LaunchOptions& o) { o.Mute = 1; },
     .shown = {{"This game cannot run properly without sound.\nPlease enable sound and try again.",
                "cabal", MessageButtons::Ok, MessageIcon::Exclamation}},
     .log = {"read", "history:ROMS/Cabal", "focus"}},
    {.name = "AnEmulatorThatCannotStartSaysWhy",
     .prepare = [](const std::string& folder) { ::chmod((folder + "mame.exe").c_str(), 0644); },
     .shown = {{"Could not start mame.exe: Permission denied.", "Kestrun", MessageButtons::Ok,
                MessageIcon::Stop}},
     .errorOutput = "Could not start mame.exe: Permission denied.\n",
     .log = {"read", "history:pacman", "hide", "show", "snapshot:pacman", "focus"}},
    // Reports: the message drops the last byte of the captured tail, standard error gets it all.
    {.name = "LongOutputShowsTheTailWithoutItsLastByte",
     .emulator = {{"TEST_EMULATOR_STDOUT_BYTES", "5000"}, {"TEST_EMULATOR_EXIT_CODE", "1"}},
     .arguments = DefaultLine,
     .shown = {{StartCommandTest::Pattern(5000 - 1024, 1023), "MAME Error", MessageButtons::Ok,
                MessageIcon::Stop}},
     .errorOutput = StartCommandTest::Pattern(5000 - 1024, 1024)},
};

class StartTest : public StartCommandTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartTest, RunsOrRefusesAndTellsTheUser) {
    const StartCase& c = GetParam();
    for (const auto& [setting, value] : c.emulator) {
        Set(setting, value);
    }
    c.prepare(ProgramFolder());
    c.change(host.options);
    host.gameText = c.gameText;
    host.displaySwitched = c.displaySwitched;
    if (c.switchedDuringRun) {
        waiter.duringWait = [this] { host.displaySwitched = true; };
    }
    messages.Answer(c.answer);

    Start();

    if (c.arguments != nullptr) {
        const EmulatorRecord record = ReadRecord();
        EXPECT_EQ(record.arguments, SplitCommandLine(std::string("mame.exe ") + c.arguments));
        EXPECT_EQ(record.facts.at("session"), c.session);
        EXPECT_EQ(record.facts.at("cwd") + "/", ProgramFolder());
    } else {
        EXPECT_FALSE(std::filesystem::exists(ProgramFolder() + "record"));
    }
    ASSERT_EQ(messages.Shown().size(), c.shown.size());
    for (std::size_t i = 0; i < c.shown.size(); ++i) {
        const MessageBoxRequest& shown = messages.Shown()[i];
        EXPECT_EQ(shown.text, c.shown[i].text);
        EXPECT_EQ(shown.caption, c.shown[i].caption);
        EXPECT_EQ(shown.buttons, c.shown[i].buttons);
        EXPECT_EQ(shown.icon, c.shown[i].icon);
    }
    EXPECT_EQ(stream.Content(), c.errorOutput);
    EXPECT_EQ(host.log, c.log);
}

INSTANTIATE_TEST_SUITE_P(Starts, StartTest, ::testing::ValuesIn(StartCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Started as "kestrun 2> >(exec true)": the run's output goes to a standard error that nobody
// reads any more, which must not end the launcher.
TEST_F(StartCommandTest, AStandardErrorWithoutReaderDoesNotEndTheLauncher) {
    Set("TEST_EMULATOR_STDOUT_TEXT", "output\n");
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    std::FILE* brokenStream = ::fdopen(ends[1], "w");
    ASSERT_NE(brokenStream, nullptr);

    EXPECT_EXIT(
        {
            RunStart({host, messages, profile, waiter, facts, ProgramFolder(), brokenStream});
            std::exit(messages.Shown().empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    std::fclose(brokenStream);
}

TEST_F(StartCommandTest, AStartDuringTheWaitOfAnotherKeepsEachRunApart) {
    Set("TEST_EMULATOR_STDOUT_TEXT", "first\n");
    Set("TEST_EMULATOR_EXIT_CODE", "1");
    host.displaySwitched = true;
    waiter.duringWait = [this] {
        Set("TEST_EMULATOR_STDOUT_TEXT", "second\n");
        Set("TEST_EMULATOR_EXIT_CODE", "2");
        host.gameText = "galaga";
        Start();
    };

    Start();

    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(messages.Shown()[0].text, "second");
    EXPECT_EQ(messages.Shown()[1].text, "first");
    EXPECT_EQ(stream.Content(), "second\nfirst\n");
    const Log expected = {
        "read",  "history:pacman",  "wait", "read", "history:galaga", "wait", "snapshot:galaga",
        "focus", "snapshot:pacman", "focus"};
    EXPECT_EQ(host.log, expected);
}

}  // namespace
}  // namespace kestrun::testing
