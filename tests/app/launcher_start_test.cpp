#include <signal.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/app/launcher_run_fixture.h"

namespace kestrun::testing {
namespace {

using Arguments = std::vector<std::string>;
using WindowChange = std::function<void(CLauncherDialog&)>;

void Keep(CLauncherDialog&) {}

void Check(CLauncherDialog& window, int controlId, bool checked) {
    window.Item<QAbstractButton>(controlId)->setChecked(checked);
}

struct LaunchCase {
    const char* name;
    const char* gameText;
    WindowChange change;
    const char* artworkFile;  // made under the program folder when set
    Arguments expected;       // after the program name
    const char* session;      // "1" when the emulator leads a session of its own
    std::vector<std::string> captions;
};

void PrintTo(const LaunchCase& c, std::ostream* out) {
    *out << c.name;
}

const LaunchCase LaunchCases[] = {
    {"Defaults",
     "pacman",
     Keep,
     nullptr,
     {"pacman", "-norc", "-skip_disclaimer", "-tb", "-nosleep", "-high_priority", "-nohws",
      "-rdtsc"},
     "0",
     {}},
    {"WindowModeInANewSession",
     "pacman",
     [](CLauncherDialog& w) { w.Item<QAbstractButton>(ids::VideoWindow)->click(); },
     nullptr,
     {"pacman", "-norc", "-skip_disclaimer", "-window", "-nomax", "-rdtsc"},
     "1",
     {}},
    {"BypassAsksThenRunsTheHeadOnly",
     "  pacman -nosound ",
     [](CLauncherDialog& w) {
         Check(w, ids::Bypass, true);
         Check(w, ids::VideoWindow, true);
     },
     nullptr,
     {"pacman", "-nosound"},
     "0",
     {"Bypass enabled"}},
    {"TypedOptionsComeFirst",
     "  pacman   -nosound -cheat  ",
     Keep,
     nullptr,
     {"pacman", "-nosound", "-cheat", "-norc", "-skip_disclaimer", "-tb", "-nosleep",
      "-high_priority", "-nohws", "-rdtsc"},
     "0",
     {}},
    {"VectorGame",
     "tempest",
     Keep,
     nullptr,
     {"tempest", "-norc", "-skip_disclaimer", "-nosleep", "-high_priority", "-gamma", "2", "-nohws",
      "-rdtsc"},
     "0",
     {}},
    {"ArtworkArchive",
     "Pacman",
     [](CLauncherDialog& w) {
         Check(w, ids::Artcrop, true);
         Check(w, ids::Bezels, false);
     },
     "artwork/pacman.zip",
     {"Pacman", "-norc", "-skip_disclaimer", "-nosleep", "-high_priority", "-artcrop", "-nobezel",
      "-nohws", "-rdtsc"},
     "0",
     {}},
    {"ListTexts",
     "pacman",
     [](CLauncherDialog& w) {
         Check(w, ids::InputController, true);
         w.Item<QComboBox>(ids::ControllerList)->setCurrentText("XArcade");
         w.Item<QComboBox>(ids::ResolutionList)->setCurrentText("1024x768");
     },
     nullptr,
     {"pacman", "-norc", "-skip_disclaimer", "-tb", "-nosleep", "-high_priority", "-ctrlr",
      "XArcade", "-nohws", "-r", "1024x768", "-rdtsc"},
     "0",
     {}},
};

class LaunchTest : public LauncherRunTest, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(LaunchTest, TheEmulatorGetsTheWindowsOptions) {
    const LaunchCase& c = GetParam();
    if (c.artworkFile != nullptr) {
        std::filesystem::create_directories(ProgramFolder() + "artwork");
        std::filesystem::copy_file(ProgramFolder() + "mame.exe", ProgramFolder() + c.artworkFile);
    }
    CLauncherDialog& window = Show();
    c.change(window);
    TypeGame(c.gameText);

    Click(ids::Start);

    Arguments expected = {"mame.exe"};
    expected.insert(expected.end(), c.expected.begin(), c.expected.end());
    const EmulatorRecord record = ReadRecord();
    EXPECT_EQ(record.arguments, expected);
    EXPECT_EQ(record.facts.at("session"), c.session);
    EXPECT_EQ(record.facts.at("cwd") + "/", ProgramFolder());
    EXPECT_EQ(Captions(), c.captions);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(GameBoxHasFocus());
}

INSTANTIATE_TEST_SUITE_P(Starts, LaunchTest, ::testing::ValuesIn(LaunchCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The button, its menu item, its accelerator and Enter in the game box all start the game.
TEST_F(LauncherRunTest, EveryWayToStartRunsTheGameOnce) {
    CLauncherDialog& window = Show();
    const std::vector<std::pair<const char*, std::function<void()>>> ways{
        {"button", [&] { Click(ids::Start); }},
        {"menu", [&] { window.FindMenuItem(ids::MenuStart)->trigger(); }},
        {"F2", [&] { QTest::keyClick(&window, Qt::Key_F2); }},
        {"Enter",
         [&] {
             window.GetDlgItem(ids::GameBox)->setFocus();
             QTest::keyClick(window.focusWidget(), Qt::Key_Return);
         }},
    };
    for (const auto& [name, start] : ways) {
        TypeGame(name);
        ForgetRun();
        window.GetDlgItem(ids::Cheat)->setFocus();
        start();
        ASSERT_TRUE(EmulatorRan()) << name;
        EXPECT_EQ(ReadRecord().arguments.at(1), name);
        EXPECT_TRUE(GameBoxHasFocus()) << name;
    }
    EXPECT_TRUE(messages.Shown().empty());
}

struct RefusalCase {
    const char* name;
    const char* gameText;
    WindowChange change;
    MessageResult answer;
    MessageBoxRequest expected;
    const char* history;  // the top of the history afterwards
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

const RefusalCase RefusalCases[] = {
    {"BlankGameText",
     " \t  ",
     Keep,
     MessageResult::Ok,
     {"You have to select or type in a rom name.", "Kestrun", MessageButtons::Ok,
      MessageIcon::Exclamation},
     ""},
    {"NoEmulator",
     " pacman ",
     [](CLauncherDialog& w) { std::filesystem::remove(w.ProgramFolder() + "mame.exe"); },
     MessageResult::Ok,
     {"Kestrun and MAME should be installed in the same folder.", "mame not found",
      MessageButtons::Ok, MessageIcon::Exclamation},
     "pacman"},
    {"BypassCancelled",
     "pacman",
     [](CLauncherDialog& w) { Check(w, ids::Bypass, true); },
     MessageResult::Cancel,
     {"You are running Kestrun in Bypass mode.\nAll selected options will be ignored.",
      "Bypass enabled", MessageButtons::OkCancel, MessageIcon::Information},
     "pacman"},
    {"SoundGameWhileMuted",
     "cabal",
     [](CLauncherDialog& w) { w.Item<QAbstractButton>(ids::SoundButton)->click(); },
     MessageResult::Ok,
     {"This game cannot run properly without sound.\nPlease enable sound and try again.", "cabal",
      MessageButtons::Ok, MessageIcon::Exclamation},
     "cabal"},
};

class RefusalTest : public LauncherRunTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, TellsTheUserAndRunsNothing) {
    const RefusalCase& c = GetParam();
    CLauncherDialog& window = Show();
    c.change(window);
    TypeGame(c.gameText);
    messages.Answer(c.answer);

    Click(ids::Start);

    ASSERT_EQ(messages.Shown().size(), 1u);
    const MessageBoxRequest& shown = messages.Shown().front();
    EXPECT_EQ(shown.text, c.expected.text);
    EXPECT_EQ(shown.caption, c.expected.caption);
    EXPECT_EQ(shown.buttons, c.expected.buttons);
    EXPECT_EQ(shown.icon, c.expected.icon);
    EXPECT_EQ(HistoryTop(), c.history);
    EXPECT_FALSE(EmulatorRan());
    EXPECT_TRUE(GameBoxHasFocus());
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusalTest, ::testing::ValuesIn(RefusalCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ReportCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> settings;
    std::vector<MessageBoxRequest> expected;
    std::string errorOutput;
};

void PrintTo(const ReportCase& c, std::ostream* out) {
    *out << c.name;
}

const ReportCase ReportCases[] = {
    {"LongOutputShowsTheTailWithoutItsLastByte",
     {{"TEST_EMULATOR_STDOUT_BYTES", "5000"}, {"TEST_EMULATOR_EXIT_CODE", "1"}},
     {{LauncherRunTest::Pattern(5000 - 1024, 1023), "MAME Error", MessageButtons::Ok,
       MessageIcon::Stop}},
     LauncherRunTest::Pattern(5000 - 1024, 1024)},
    {"ACrashIsAnAbortedExecution",
     {{"TEST_EMULATOR_STDERR_TEXT", "dying\n"}, {"TEST_EMULATOR_SIGNAL", std::to_string(SIGABRT)}},
     {{"dying", "MAME Execution Aborted", MessageButtons::Ok, MessageIcon::Exclamation}},
     "dying\n"},
    {"SuccessWithOutputShowsNothing", {{"TEST_EMULATOR_STDOUT_TEXT", "fine\n"}}, {}, "fine\n"},
};

class ReportTest : public LauncherRunTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(ReportTest, AFailedRunIsReportedWithItsOutput) {
    const ReportCase& c = GetParam();
    for (const auto& [setting, value] : c.settings) {
        Set(setting, value);
    }
    CLauncherDialog& window = Show();
    TypeGame("pacman");

    Click(ids::Start);

    ASSERT_EQ(messages.Shown().size(), c.expected.size());
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
        EXPECT_EQ(messages.Shown()[i].text, c.expected[i].text);
        EXPECT_EQ(messages.Shown()[i].caption, c.expected[i].caption);
        EXPECT_EQ(messages.Shown()[i].icon, c.expected[i].icon);
        EXPECT_EQ(messages.Shown()[i].buttons, c.expected[i].buttons);
    }
    EXPECT_EQ(ErrorOutput(), c.errorOutput);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(GameBoxHasFocus());
}

INSTANTIATE_TEST_SUITE_P(Reports, ReportTest, ::testing::ValuesIn(ReportCases),
                         [](const auto& info) { return std::string(info.param.name); });

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
