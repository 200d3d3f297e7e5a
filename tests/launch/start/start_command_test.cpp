#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "launch/argument_split.h"
#include "launch/start_command.h"
#include "tests/launch/runner/emulator_fixture.h"
#include "tests/launch/start/output_stream_file.h"
#include "tests/support/fixed_facts_source.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/scripted_message_box.h"

namespace kestrun::testing {
namespace {

// A main window that answers from its fields and logs its calls: "read", "history:<text>",
// "hide", "show", "snapshot:<text>", "reassert", "focus", and "wait" when it waits for the
// child as a window without events would; duringWait runs once, at the next wait.
class ScriptedStartHost final : public StartHost, public ProcessWaiter {
  public:
    LaunchOptions ReadBackOptions() override {
        Log("read");
        return options;
    }
    std::string GameText() const override { return gameText; }
    std::string ControllerText() const override { return "HotRod"; }
    std::string ResolutionText() const override { return "Auto"; }
    void InsertIntoHistory(std::string_view text) override { Log("history:", text); }
    void HideWindow() override { Log("hide"); }
    void ShowWindow() override { Log("show"); }
    bool DisplaySwitched() const override { return displaySwitched; }
    void ReassertFullScreen() override { Log("reassert"); }
    void ShowSnapshot(std::string_view text) override { Log("snapshot:", text); }
    void FocusGameBox() override { Log("focus"); }
    bool WaitForExit(int processFd) override {
        Log("wait");
        if (const auto action = std::exchange(duringWait, nullptr)) {
            action();
        }
        return BlockingProcessWaiter().WaitForExit(processFd);
    }
    void Log(std::string_view call, std::string_view text = "") {
        (log += log.empty() ? "" : ", ").append(call).append(text);
    }

    LaunchOptions options = DefaultLaunchOptions();
    std::string gameText = "pacman";
    bool displaySwitched = false;
    std::function<void()> duringWait;
    std::string log;  // the calls, in order, separated by commas
};

// The test emulator's folder with a scripted window, message boxes, an empty profile and a
// file standing in for standard error.
class StartCommandTest : public EmulatorTest {
  protected:
    void Start() {
        RunStart({host, messages, profile, host, facts, ProgramFolder(), stream.Get()});
    }

    ScriptedStartHost host;
    ScriptedMessageBox messages;
    MemoryProfileStore profile;
    FixedFactsSource facts;
    OutputStreamFile stream;
};

const char* const DefaultLine =
    "pacman -norc -skip_disclaimer -tb -nosleep -high_priority -nohws -rdtsc";
const MessageBoxRequest BypassQuestion{
    "You are running Kestrun in Bypass mode.\nAll selected options will be ignored.",
    "Bypass enabled", MessageButtons::OkCancel, MessageIcon::Information};
const char* const Refused = "read, history:pacman, focus";
const char* const Translated =
    "pacman -norc -ctrlrpath ctrlr -pluginspath plugins -artpath "
    "artwork -bgfx_path bgfx -snapname %g -nosleep";

// One Start: what the window holds, how the emulator behaves, and what follows.
struct StartCase {
    const char* name;
    const char* gameText = "pacman";
    void (*change)(LaunchOptions&) = [](LaunchOptions&) {};
    void (*prepare)(const std::string& programFolder) = [](const std::string&) {};
    std::vector<std::pair<std::string, std::string>> emulator = {};
    MessageResult answer = MessageResult::Ok;
    int translate = -1;               // the TranslateOptions key, when stored
    const char* version = "";         // what the emulator says of itself: "" when it is no MAME
    const char* arguments = nullptr;  // after the program name; nullptr: nothing runs
    std::vector<MessageBoxRequest> shown = {};
    std::string errorOutput = "";
    std::string log = "read, history:pacman, hide, wait, show, snapshot:pacman, focus";
};

const StartCase StartCases[] = {
    {.name = "FailedRun", .emulator = {{"TEST_EMULATOR_EXIT_CODE", "1"}}, .arguments = DefaultLine},
    // Bypass runs the text as typed, untranslated; the sound refusal is one of the options it
    // ignores.
    {.name = "BypassRunsASoundGameWhileMuted",
     .gameText = "  cabal -cheat\t",
     .change = [](LaunchOptions& o) { o.Bypass = o.Mute = 1; },
     .translate = 1,
     .version = "0.251",
     .arguments = "cabal -cheat",
     .shown = {BypassQuestion},
     .log = "read, history:cabal -cheat, hide, wait, show, snapshot:cabal -cheat, focus"},
    // Only the generated options are translated: for a current MAME when automatic (also for
    // an unknown stored value), for any emulator when on.
    {.name = "TranslatedForACurrentMame",
     .translate = 7,
     .version = "0.251",
     .arguments = Translated},
    {.name = "TranslatedWhenOn", .translate = 1, .arguments = Translated},
    {.name = "KeptWhenOff", .translate = 0, .version = "0.251", .arguments = DefaultLine},
    // Refusals: the history keeps the text from the moment it is not blank.
    {.name = "BlankGameText",
     .gameText = " \t ",
     .shown = {{"You have to select or type in a rom name.", "Kestrun", MessageButtons::Ok,
                MessageIcon::Exclamation}},
     .log = "read, focus"},
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
     .log = "read, history:ROMS/Cabal, focus"},
    {.name = "AnEmulatorThatCannotStartSaysWhy",
     .prepare = [](const std::string& folder) { ::chmod((folder + "mame.exe").c_str(), 0644); },
     .shown = {{"Could not start mame.exe: Permission denied.", "Kestrun", MessageButtons::Ok,
                MessageIcon::Stop}},
     .errorOutput = "Could not start mame.exe: Permission denied.\n",
     .log = "read, history:pacman, hide, show, snapshot:pacman, focus"},
    // The message drops the last byte of the captured tail, standard error gets it all.
    {.name = "KilledRunShowsTheTailWithoutItsLastByte",
     .emulator = {{"TEST_EMULATOR_STDOUT_BYTES", "5000"}, {"TEST_EMULATOR_SIGNAL", "6"}},
     .arguments = DefaultLine,
     .shown = {{TestEmulatorPattern(5000 - 1024, 1023), "MAME Execution Aborted",
                MessageButtons::Ok, MessageIcon::Exclamation}},
     .errorOutput = TestEmulatorPattern(5000 - 1024, 1024)},
};

std::vector<std::string> Briefly(const std::vector<MessageBoxRequest>& messages) {
    std::vector<std::string> briefs;
    for (const MessageBoxRequest& m : messages) {
        briefs.push_back(m.caption + '|' + m.text + '|' + std::to_string(int(m.buttons)) +
                         std::to_string(int(m.icon)));
    }
    return briefs;
}

class StartTest : public StartCommandTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartTest, RunsOrRefusesAndTellsTheUser) {
    const StartCase& c = GetParam();
    for (const auto& [setting, value] : c.emulator) {
        Set(setting, value);
    }
    c.prepare(ProgramFolder());
    c.change(host.options);
    host.gameText = c.gameText;
    if (c.translate >= 0) {
        profile.WriteProfileInt(ProfileSection, "TranslateOptions", c.translate);
    }
    facts.facts.version = c.version;
    messages.Answer(c.answer);

    Start();

    if (c.arguments != nullptr) {
        EXPECT_EQ(ReadRecord().arguments, SplitCommandLine(std::string("mame.exe ") + c.arguments));
    } else {
        EXPECT_FALSE(std::filesystem::exists(ProgramFolder() + "record"));
    }
    EXPECT_EQ(Briefly(messages.Shown()), Briefly(c.shown));
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
    EXPECT_EXIT(
        {
            RunStart({host, messages, profile, host, facts, ProgramFolder(), brokenStream});
            std::exit(messages.Shown().empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    std::fclose(brokenStream);
}

// A second Start while the first waits, after the full-screen mode came on: the mode is read
// again after each run, and each run keeps its own outcome.
TEST_F(StartCommandTest, AStartDuringTheWaitOfAnotherKeepsEachRunApart) {
    Set("TEST_EMULATOR_STDOUT_TEXT", "first\n");
    Set("TEST_EMULATOR_EXIT_CODE", "1");
    host.duringWait = [this] {
        Set("TEST_EMULATOR_STDOUT_TEXT", "second\n");
        Set("TEST_EMULATOR_EXIT_CODE", "0");
        host.displaySwitched = true;
        host.gameText = "galaga";
        Start();
    };

    Start();

    EXPECT_EQ(Briefly(messages.Shown()), Briefly({{"first", "MAME Error", {}, MessageIcon::Stop}}));
    EXPECT_EQ(stream.Content(), "second\nfirst\n");
    EXPECT_EQ(host.log,
              "read, history:pacman, hide, wait, read, history:galaga, wait, snapshot:galaga, "
              "reassert, focus, snapshot:pacman, focus");
}

}  // namespace
}  // namespace kestrun::testing
