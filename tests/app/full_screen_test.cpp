#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <functional>
#include <map>

#include "launch/argument_split.h"
#include "launch/full_screen_layout.h"
#include "platform/xrandr_display_mode.h"
#include "tests/app/launcher_fixture.h"
#include "tests/platform/display/x_display_probe.h"

namespace kestrun::testing {
namespace {

// The main window running the test emulator, in the window and in the full-screen mode.
class LauncherRunTest : public LauncherFixture {
  protected:
    CLauncherDialog& ShowWithSnapshot() {
        // Taller than the picture area: its fitting differs between the two modes.
        AddSnapshot("pacman", 224, 288);
        CLauncherDialog& window = Show();
        TypeGame("  pacman ");
        return window;
    }
    void PressF4() { QTest::keyClick(dialog.get(), Qt::Key_F4); }
    QSize PictureSize() const { return Picture().size(); }
    // "full screen": 640 by 480 at the screen's corner, without a caption, its menu item ticked;
    // "window": none of these. The offscreen test platform may keep a frame margin of 2 pixels
    // even around a frameless window.
    std::string Mode() const {
        QAction* item = dialog->FindMenuItem(ids::MenuFullScreen);
        emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
        const QRect area = dialog->geometry();
        const int held = int(area.size() == QSize(640, 480) && area.x() <= 2 && area.y() <= 2) +
                         int(dialog->windowFlags().testFlag(Qt::FramelessWindowHint)) +
                         int(item->isChecked());
        return held == 3 ? "full screen" : held == 0 ? "window" : "mixed";
    }
};

// The button, its menu item, its accelerator and Enter in the game box each start the game as
// typed, with what the controls say after it: neither a longer name in the history nor the
// refresh after the run changes the text.
TEST_F(LauncherRunTest, EveryWayToStartRunsTheTypedGameWithTheControlsOptions) {
    profile.WriteProfileString(ProfileSection, "RomSet0", "dkongjr");
    CLauncherDialog& window = Show();
    Button(ids::InputController).click();
    window.Item<QComboBox>(ids::ControllerList)->setCurrentText("XArcade");
    window.Item<QComboBox>(ids::ResolutionList)->setCurrentText("1024x768");
    const std::vector<std::pair<const char*, std::function<void()>>> ways{
        {"pacman", [&] { Button(ids::Start).click(); }},
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
        window.GetDlgItem(ids::Cheat)->setFocus();
        start();
        EXPECT_EQ(ReadRecord().arguments,
                  SplitCommandLine(std::string("mame.exe ") + text +
                                   " -norc -skip_disclaimer -tb -nosleep -high_priority"
                                   " -ctrlr XArcade -nohws -r 1024x768 -rdtsc"));
        EXPECT_EQ(BoxText(), text);
        EXPECT_EQ(window.Item<QComboBox>(ids::GameBox)->itemText(0), text);
        EXPECT_TRUE(window.GetDlgItem(ids::GameBox)->isAncestorOf(window.focusWidget())) << text;
    }
    EXPECT_TRUE(messages.Shown().empty());
}

// Hiding a dialog would end its modal run: the window must come back and the program go on.
TEST_F(LauncherRunTest, TheWindowIsHiddenDuringTheRunAndComesBack) {
    Set("TEST_EMULATOR_SLEEP_MS", "400");
    CLauncherDialog& window = Show();
    bool visibleDuringRun = true;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(200, [&] { visibleDuringRun = window.isVisible(); });
        Button(ids::Start).click();
        // Left to the modal run's own loop, which must still be running.
        QTimer::singleShot(100, [&] { Button(ids::Exit).click(); });
    });
    EXPECT_EQ(window.DoModal(), 0);
    EXPECT_FALSE(visibleDuringRun);
    EXPECT_FALSE(ReadRecord().arguments.empty());
}

// Each control's place on the screen, 6 left and 100 down, becomes its place in the window;
// leaving gives the window and the display back as they were.
TEST_F(LauncherRunTest, F4CoversTheScreenThenGivesTheWindowBack) {
    profile.WriteProfileInt(ProfileSection, "Video", 0);
    for (const bool expanded : {false, true}) {
        SCOPED_TRACE(expanded ? "expanded" : "collapsed");
        CLauncherDialog& window = ShowWithSnapshot();
        if (expanded) {
            Button(ids::CollapseToggle).click();
        }
        ASSERT_FALSE(Button(ids::Stretch).isEnabled());
        const QSize size = window.size();
        auto places = [&window] {
            std::map<int, QRect> rects;
            for (const int id : FullScreenMovedControls) {
                QWidget* control = window.GetDlgItem(id);
                rects[id] = QRect(control->mapTo(&window, QPoint(0, 0)), control->size());
            }
            return rects;
        };
        const std::map<int, QRect> before = places();

        PressF4();
        EXPECT_EQ(Mode(), "full screen");
        EXPECT_TRUE(Button(ids::VideoFullScreen).isChecked());
        EXPECT_TRUE(Button(ids::Stretch).isEnabled());
        EXPECT_FALSE(Button(ids::VideoWindow).isEnabled());
        EXPECT_FALSE(Button(ids::CollapseToggle).isVisible());
        for (const int id : FullScreenMovedControls) {
            const QPoint moved =
                before.at(id).topLeft() + window.geometry().topLeft() + QPoint(-6, 100);
            EXPECT_EQ(window.GetDlgItem(id)->pos(), moved) << id;
        }
        EXPECT_EQ(PictureSize(), QSize(232, 298));

        PressF4();
        EXPECT_EQ(Mode(), "window");
        EXPECT_EQ(window.size(), size);
        EXPECT_EQ(window.IsExpanded(), expanded);
        EXPECT_EQ(places(), before);
        EXPECT_TRUE(Button(ids::CollapseToggle).isVisible());
        // "Window" is usable again but not chosen again.
        EXPECT_TRUE(Button(ids::VideoWindow).isEnabled());
        EXPECT_TRUE(Button(ids::VideoFullScreen).isChecked());
        EXPECT_EQ(PictureSize(), QSize(204, 263));
    }
}

// In this mode the window stays visible while the game runs: the mouse works on it, the
// keyboard does not (until the run is over), and the window cannot be closed under the game.
// After the run the mode is set anew; the close gives the display back.
TEST_F(LauncherRunTest, DuringAFullScreenRunClicksWorkButKeysAndTheCloseDoNot) {
    Set("TEST_EMULATOR_SLEEP_MS", "400");
    CLauncherDialog& window = ShowWithSnapshot();
    PressF4();
    bool visibleDuringRun = false;
    QTimer::singleShot(100, [&] {
        visibleDuringRun = window.isVisible();
        PressF4();
        QTest::keyClick(&window, Qt::Key_F2);
        QTest::keyClicks(window.Item<QComboBox>(ids::GameBox)->lineEdit(), "ab");
        QTest::mouseClick(window.GetDlgItem(ids::Cheat), Qt::LeftButton);
        window.close();
    });
    Button(ids::Start).click();
    EXPECT_TRUE(visibleDuringRun);
    using Call = RecordingDisplayMode::Call;
    const Call enter{FullScreenWidth, FullScreenHeight, false}, restore{0, 0, true};
    EXPECT_EQ(display.Calls(), (std::vector<Call>{enter, restore, enter}));
    EXPECT_TRUE(Button(ids::Cheat).isChecked());
    EXPECT_FALSE(profile.Has("Cheat"));
    EXPECT_EQ(BoxText(), "pacman");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Mode(), "full screen");
    window.close();
    EXPECT_EQ(display.Calls().back(), restore);
}

// Xvfb offers no 640x480 mode: the real display service refuses, and the window warns.
TEST_F(LauncherRunTest, OnXvfbTheWindowWarnsAndStaysAsItIs) {
    const PrivateXServer server;
    if (server.DisplayName().empty()) {
        GTEST_SKIP() << "Xvfb could not be started";
    }
    XRandrDisplayMode xrandr(server.DisplayName());
    Show(&xrandr);
    PressF4();
    EXPECT_EQ(messages.Shown().at(0).caption + ": " + messages.Shown().at(0).text,
              "Warning: Couldn't change to full screen!");
    EXPECT_EQ(Mode(), "window");
    EXPECT_EQ(LitCrtcSizes(server.DisplayName()), (CrtcSizes{{1024, 768}}));
}

}  // namespace
}  // namespace kestrun::testing
