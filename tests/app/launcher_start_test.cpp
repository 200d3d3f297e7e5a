#include <signal.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/app/launcher_run_fixture.h"

namespace kestrun::testing {
namespace {

using Settings = std::vector<std::pair<std::string, std::string>>;
using WindowChange = std::function<void(CLauncherDialog&)>;

void Keep(CLauncherDialog&) {}

void Check(CLauncherDialog& window, int controlId, bool checked) {
    window.Item<QAbstractButton>(controlId)->setChecked(checked);
}

// The words of a command line without quotes, one argument each.
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

const char* const DefaultLine =
    "pacman -norc -skip_disclaimer -tb -nosleep -high_priority -nohws -rdtsc";

const MessageBoxRequest BypassQuestion{
    "You are running Kestrun in Bypass mode.\nAll selected options will be ignored.",
    "Bypass enabled", MessageButtons::OkCancel, MessageIcon::Information};

// One Start through the main window: what the user sets and types, and what follows.
struct StartCase {
    const char* name;
    const char* gameText = "pacman";
    WindowChange change = Keep;
    Settings emulator = {};             // how the test emulator behaves
    const char* artworkFile = nullptr;  // made under the program folder when set
    MessageResult answer = MessageResult::Ok;
    const char* arguments = nullptr;  // after the program name; nullptr: nothing runs
    const char* session = "0";        // "1" when the emulator leads a session of its own
    std::vector<MessageBoxRequest> shown = {};
    std::string errorOutput = "";
    const char* history = nullptr;  // the top of the history afterwards, when checked
};

void PrintTo(const StartCase& c, std::ostream* out) {
    *out << c.name;
}

const StartCase StartCases[] = {
    {.name = "Defaults", .arguments = DefaultLine},
    {.name = "WindowModeInANewSession",
     .change = [](CLauncherDialog& w) { w.Item<QAbstractButton>(ids::VideoWindow)->click(); },
     .arguments = "pacman -norc -skip_disclaimer -window -nomax -rdtsc",
     .session = "1"},
    {.name = "BypassAsksThenRunsTheHeadOnly",
     .gameText = "  pacman -nosound ",
     .change =
         [](CLauncherDialog& w) {
             Check(w, ids::Bypass, true);
             Check(w, ids::VideoWindow, true);
         },
     .arguments = "pacman -nosound",
     .shown = {BypassQuestion}},
    // The sound refusal is one of the options Bypass ignores.
    {.name = "BypassRunsASoundGameWhileMuted",
     .gameText = "cabal",
     .change =
         [](CLauncherDialog& w) {
             Check(w, ids::Bypass, true);
             w.Item<QAbstractButton>(ids::SoundButton)->click();
         },
     .arguments = "cabal",
     .shown = {BypassQuestion}},
    {.name = "VectorGameTypedAsAPath",
     .gameText = "ROMS/Tempest.ZIP",
     .arguments = "ROMS/Tempest.ZIP -norc -skip_disclaimer -nosleep -high_priority -gamma 2 "
                  "-nohws -rdtsc"},
    {.name = "ArtworkArchive",
     .gameText = "Pacman",
     .change =
         [](CLauncherDialog& w) {
             Check(w, ids::Artcrop, true);
             Check(w, ids::Bezels, false);
         },
     .artworkFile = "artwork/pacman.zip",
     .arguments = "Pacman -norc -skip_disclaimer -nosleep -high_priority -artcrop -nobezel -nohws "
                  "-rdtsc"},
    {.name = "ListTexts",
     .change =
         [](CLauncherDialog& w) {
             Check(w, ids::InputController, true);
             w.Item<QComboBox>(ids::ControllerList)->setCurrentText("XArcade");
             w.Item<QComboBox>(ids::ResolutionList)->setCurrentText("1024x768");
         },
     .arguments = "pacman -norc -skip_disclaimer -tb -nosleep -high_priority -ctrlr XArcade -nohws "
                  "-r 1024x768 -rdtsc"},
    // Refusals: the history keeps the text from the moment it is not blank.
    {.name = "BlankGameText",
     .gameText = "   ",
     .shown = {{"You have to select or type in a rom name.", "Kestrun", MessageButtons::Ok,
                MessageIcon::Exclamation}},
     .history = ""},
    {.name = "NoEmulator",
     .gameText = " pacman ",
     .change =
         [](CLauncherDialog& w) {
             std::filesystem::remove(w.Model().ProgramFolder() + "mame.exe");
         },
     .shown = {{"Kestrun and MAME should be installed in the same folder.", "mame not found",
                MessageButtons::Ok, MessageIcon::Exclamation}},
     .history = "pacman"},
    {.name = "BypassCancelled",
     .change = [](CLauncherDialog& w) { Check(w, ids::Bypass, true); },
     .answer = MessageResult::Cancel,
     .shown = {BypassQuestion},
     .history = "pacman"},
    {.name = "SoundGameWhileMuted",
     .gameText = "ROMS/Cabal",
     .change = [](CLauncherDialog& w) { w.Item<QAbstractButton>(ids::SoundButton)->click(); },
     .shown = {{"This game cannot run properly without sound.\nPlease enable sound and try again.",
                "cabal", MessageButtons::Ok, MessageIcon::Exclamation}},
     .history = "ROMS/Cabal"},
    // Reports: the message drops the last byte of the captured tail, standard error gets it all.
    {.name = "LongOutputShowsTheTailWithoutItsLastByte",
     .emulator = {{"TEST_EMULATOR_STDOUT_BYTES", "5000"}, {"TEST_EMULATOR_EXIT_CODE", "1"}},
     .arguments = DefaultLine,
     .shown = {{LauncherRunTest::Pattern(5000 - 1024, 1023), "MAME Error", MessageButtons::Ok,
                MessageIcon::Stop}},
     .errorOutput = LauncherRunTest::Pattern(5000 - 1024, 1024)},
    {.name = "ACrashIsAnAbortedExecution",
     .emulator = {{"TEST_EMULATOR_STDERR_TEXT", "dying\n"},
                  {"TEST_EMULATOR_SIGNAL", std::to_string(SIGABRT)}},
     .arguments = DefaultLine,
     .shown = {{"dying", "MAME Execution Aborted", MessageButtons::Ok, MessageIcon::Exclamation}},
     .errorOutput = "dying\n"},
    {.name = "SuccessWithOutputShowsNothing",
     .emulator = {{"TEST_EMULATOR_STDOUT_TEXT", "fine\n"}},
     .arguments = DefaultLine,
     .errorOutput = "fine\n"},
};

class StartTest : public LauncherRunTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartTest, RunsOrRefusesAndTellsTheUser) {
    const StartCase& c = GetParam();
    for (const auto& [setting, value] : c.emulator) {
        Set(setting, value);
    }
    if (c.artworkFile != nullptr) {
        std::filesystem::create_directories(ProgramFolder() + "artwork");
        std::filesystem::copy_file(ProgramFolder() + "mame.exe", ProgramFolder() + c.artworkFile);
    }
    CLauncherDialog& window = Show();
    c.change(window);
    TypeGame(c.gameText);
    messages.Answer(c.answer);

    Click(ids::Start);

    if (c.arguments != nullptr) {
        std::vector<std::string> expected = Words(std::string("mame.exe ") + c.arguments);
        const EmulatorRecord record = ReadRecord();
        EXPECT_EQ(record.arguments, expected);
        EXPECT_EQ(record.facts.at("session"), c.session);
        EXPECT_EQ(record.facts.at("cwd") + "/", ProgramFolder());
    } else {
        EXPECT_FALSE(EmulatorRan());
    }
    ASSERT_EQ(messages.Shown().size(), c.shown.size());
    for (std::size_t i = 0; i < c.shown.size(); ++i) {
        EXPECT_EQ(messages.Shown()[i].text, c.shown[i].text);
        EXPECT_EQ(messages.Shown()[i].caption, c.shown[i].caption);
        EXPECT_EQ(messages.Shown()[i].buttons, c.shown[i].buttons);
        EXPECT_EQ(messages.Shown()[i].icon, c.shown[i].icon);
    }
    EXPECT_EQ(errorOutput.Content(), c.errorOutput);
    if (c.history != nullptr) {
        EXPECT_EQ(HistoryTop(), c.history);
    }
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(GameBoxHasFocus());
}

INSTANTIATE_TEST_SUITE_P(Starts, StartTest, ::testing::ValuesIn(StartCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The button, its menu item, its accelerator and Enter in the game box each start the game as
// typed: neither a longer name in the history nor the refresh after the run changes the text.
TEST_F(LauncherRunTest, EveryWayToStartRunsTheTypedGameOnce) {
    profile.WriteProfileString(ProfileSection, "RomSet0", "pacmanf");
    profile.WriteProfileString(ProfileSection, "RomSet1", "galagao");
    profile.WriteProfileString(ProfileSection, "RomSet2", "dkongjr");
    CLauncherDialog& window = Show();
    const std::vector<std::pair<const char*, std::function<void()>>> ways{
        {"pacman", [&] { Click(ids::Start); }},
        {"galaga", [&] { window.FindMenuItem(ids::MenuStart)->trigger(); }},
        {"pong -autoboot_script snap.lua", [&] { QTest::keyClick(&window, Qt::Key_F2); }},
        {"dkong",
         [&] {
             window.GetDlgItem(ids::GameBox)->setFocus();
             QTest::keyClick(window.focusWidget(), Qt::Key_Return);
         }},
    };
    for (const auto& [text, start] : ways) {
        TypeGame(text);
        ForgetRun();
        window.GetDlgItem(ids::Cheat)->setFocus();
        start();
        ASSERT_TRUE(EmulatorRan()) << text;
        const std::vector<std::string> arguments = ReadRecord().arguments;
        EXPECT_EQ(std::vector(arguments.begin() + 1, arguments.begin() + 1 + Words(text).size()),
                  Words(text));
        EXPECT_EQ(BoxText(), text);
        EXPECT_TRUE(GameBoxHasFocus()) << text;
    }
    EXPECT_TRUE(messages.Shown().empty());
}

// Hiding a dialog would end its modal run: the window must come back and the program go on.
TEST_F(LauncherRunTest, TheWindowIsHiddenDuringTheRunAndComesBack) {
    Set("TEST_EMULATOR_SLEEP_MS", "400");
    CLauncherDialog& window = Show();
    TypeGame("pacman");
    bool visibleDuringRun = true;
    bool exitClicked = false;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(200, [&] { visibleDuringRun = window.isVisible(); });
        Click(ids::Start);
        // Left to the modal run's own loop, which must still be running.
        QTimer::singleShot(100, [&] {
            EXPECT_TRUE(window.isVisible());
            exitClicked = true;
            Click(ids::Exit);
        });
    });

    EXPECT_EQ(window.DoModal(), 0);

    EXPECT_TRUE(exitClicked);
    EXPECT_FALSE(visibleDuringRun);
    EXPECT_TRUE(EmulatorRan());
    EXPECT_EQ(profile.GetProfileInt(ProfileSection, "Video", -1), 1);
}

}  // namespace
}  // namespace kestrun::testing
