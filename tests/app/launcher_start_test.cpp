#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "launch/argument_split.h"
#include "res/resource_ids.h"
#include "tests/app/launcher_fixture.h"

namespace kestrun::testing {
namespace {

// What the user sets in the window reaches the emulator's command line.
TEST_F(LauncherFixture, TheWindowsControlsReachTheCommandLine) {
    const std::vector<std::pair<std::function<void(CLauncherDialog&)>, const char*>> cases{
        {[](CLauncherDialog&) {},
         "pacman -norc -skip_disclaimer -tb -nosleep -high_priority -nohws -rdtsc"},
        {[](CLauncherDialog& w) { w.Item<QAbstractButton>(ids::VideoWindow)->click(); },
         "pacman -norc -skip_disclaimer -window -nomax -rdtsc"},
        {[](CLauncherDialog& w) {
             w.Item<QAbstractButton>(ids::InputController)->click();
             w.Item<QComboBox>(ids::ControllerList)->setCurrentText("XArcade");
             w.Item<QComboBox>(ids::ResolutionList)->setCurrentText("1024x768");
         },
         "pacman -norc -skip_disclaimer -tb -nosleep -high_priority -ctrlr XArcade -nohws "
         "-r 1024x768 -rdtsc"},
    };
    for (const auto& [change, line] : cases) {
        CLauncherDialog& window = Show();
        change(window);
        TypeGame("pacman");
        ForgetRun();
        Click(ids::Start);
        ASSERT_TRUE(EmulatorRan()) << line;
        EXPECT_EQ(ReadRecord().arguments, SplitCommandLine(std::string("mame.exe ") + line));
    }
    EXPECT_TRUE(messages.Shown().empty());
}

// The button, its menu item, its accelerator and Enter in the game box each start the game as
// typed: neither a longer name in the history nor the refresh after the run changes the text.
TEST_F(LauncherFixture, EveryWayToStartRunsTheTypedGameOnce) {
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
        const std::vector<std::string> typed = SplitCommandLine(text);
        EXPECT_EQ(std::vector(arguments.begin() + 1, arguments.begin() + 1 + typed.size()), typed);
        EXPECT_EQ(BoxText(), text);
        EXPECT_EQ(HistoryTop(), text);
        EXPECT_TRUE(GameBoxHasFocus()) << text;
    }
    EXPECT_TRUE(messages.Shown().empty());
}

// Hiding a dialog would end its modal run: the window must come back and the program go on.
TEST_F(LauncherFixture, TheWindowIsHiddenDuringTheRunAndComesBack) {
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
