#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <map>
#include <string>
#include <vector>

#include "launch/full_screen_layout.h"
#include "platform/xrandr_display_mode.h"
#include "res/resource_ids.h"
#include "tests/app/launcher_fixture.h"
#include "tests/platform/display/x_display_probe.h"

namespace kestrun::testing {
namespace {

using Call = RecordingDisplayMode::Call;
using Calls = std::vector<Call>;

const Call Enter{FullScreenWidth, FullScreenHeight, false};
const Call Restore{0, 0, true};

class FullScreenTest : public LauncherFixture {
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

    bool FullScreenChecked() const {
        QAction* item = dialog->FindMenuItem(ids::MenuFullScreen);
        emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
        return item->isChecked();
    }

    // Some part of the control shows inside the window.
    bool OnScreen(int id) const {
        QWidget* control = dialog->GetDlgItem(id);
        const QRect shown(control->mapTo(dialog.get(), QPoint(0, 0)), control->size());
        return shown.intersects(dialog->rect()) && !control->visibleRegion().isEmpty();
    }
    bool Enabled(int id) const { return dialog->GetDlgItem(id)->isEnabled(); }
    bool Checked(int id) const { return dialog->Item<QAbstractButton>(id)->isChecked(); }
    // 640 by 480 at the screen's corner; the offscreen test platform may keep a frame margin of
    // 2 pixels even around a frameless window.
    bool CoversTheScreen() const {
        const QRect area = dialog->geometry();
        return area.size() == QSize(640, 480) && area.x() <= 2 && area.y() <= 2;
    }
    bool Captioned() const { return !dialog->windowFlags().testFlag(Qt::FramelessWindowHint); }

    std::map<int, QRect> BottomRow() const {
        std::map<int, QRect> rects;
        for (const int id : FullScreenMovedControls) {
            rects[id] = dialog->GetDlgItem(id)->geometry();
        }
        return rects;
    }
};

// Each control's place on the screen, 6 left and 100 down, becomes its place in the window;
// leaving gives the window and the display back as they were.
TEST_F(FullScreenTest, F4CoversTheScreenThenGivesTheWindowAndTheDisplayBack) {
    profile.WriteProfileInt(ProfileSection, "Video", 0);
    for (const bool expanded : {false, true}) {
        SCOPED_TRACE(expanded ? "expanded" : "collapsed");
        CLauncherDialog& window = ShowWithSnapshot();
        if (expanded) {
            Click(ids::CollapseToggle);
        }
        ASSERT_FALSE(Enabled(ids::Stretch));
        const QSize size = window.size();
        const auto bottomRow = BottomRow();
        std::map<int, QPoint> inWindow;
        for (const int id : FullScreenMovedControls) {
            inWindow[id] = window.GetDlgItem(id)->mapTo(&window, QPoint(0, 0));
        }

        PressF4();
        EXPECT_TRUE(FullScreenChecked());
        EXPECT_TRUE(Checked(ids::VideoFullScreen));
        EXPECT_TRUE(Enabled(ids::Stretch));
        EXPECT_FALSE(Enabled(ids::VideoWindow));
        EXPECT_FALSE(window.GetDlgItem(ids::CollapseToggle)->isVisible());
        EXPECT_FALSE(Captioned());
        EXPECT_TRUE(CoversTheScreen());
        const QPoint windowOnScreen = window.geometry().topLeft();
        for (const int id : FullScreenMovedControls) {
            const QPoint expected = inWindow[id] + windowOnScreen + QPoint(-6, 100);
            EXPECT_EQ(window.GetDlgItem(id)->pos(), expected) << id;
            EXPECT_TRUE(OnScreen(id)) << id;
        }
        EXPECT_EQ(PictureSize(), QSize(232, 298));

        PressF4();
        EXPECT_FALSE(FullScreenChecked());
        EXPECT_TRUE(Captioned());
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.IsExpanded(), expanded);
        EXPECT_EQ(window.size(), size);
        EXPECT_EQ(BottomRow(), bottomRow);
        for (const int id : FullScreenMovedControls) {
            EXPECT_TRUE(Enabled(id)) << id;
            EXPECT_TRUE(OnScreen(id)) << id;
        }
        EXPECT_TRUE(window.GetDlgItem(ids::CollapseToggle)->isVisible());
        EXPECT_TRUE(Enabled(ids::VideoWindow));
        // "Window" is usable again but not chosen again.
        EXPECT_TRUE(Checked(ids::VideoFullScreen));
        EXPECT_EQ(PictureSize(), QSize(204, 263));
    }
}

// In this mode the window stays visible while the game runs: the mouse works on it, the
// keyboard does not (until the run is over), and the window cannot be closed under the game.
// After the run the mode is set anew.
TEST_F(FullScreenTest, DuringTheRunClicksWorkButKeysAndTheCloseDoNot) {
    Set("TEST_EMULATOR_STDOUT_TEXT", "ran\n");
    Set("TEST_EMULATOR_SLEEP_MS", "400");
    CLauncherDialog& window = ShowWithSnapshot();
    PressF4();
    bool visibleDuringRun = false;
    QTimer::singleShot(100, [&] {
        visibleDuringRun = window.isVisible();
        PressF4();
        QTest::keyClick(&window, Qt::Key_F2);
        QTest::keyClick(window.focusWidget(), Qt::Key_Return);
        QTest::keyClicks(window.Item<QComboBox>(ids::GameBox)->lineEdit(), "ab");
        QTest::mouseClick(window.GetDlgItem(ids::Cheat), Qt::LeftButton);
        window.close();
    });

    Click(ids::Start);

    EXPECT_TRUE(visibleDuringRun);
    EXPECT_EQ(errorOutput.Content(), "ran\n");
    EXPECT_EQ(display.Calls(), (Calls{Enter, Restore, Enter}));
    EXPECT_TRUE(Checked(ids::Cheat));
    EXPECT_FALSE(profile.Has("Cheat"));
    EXPECT_EQ(BoxText(), "pacman");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Model().DisplaySwitched());
    EXPECT_FALSE(Captioned());
    EXPECT_TRUE(CoversTheScreen());
    EXPECT_EQ(PictureSize(), QSize(232, 298));

    PressF4();
    EXPECT_EQ(display.Calls().back(), Restore);
}

// Xvfb offers no 640x480 mode: the real display service refuses, and the window warns.
TEST_F(FullScreenTest, OnXvfbTheWindowWarnsAndStaysAsItIs) {
    const PrivateXServer server;
    if (server.DisplayName().empty()) {
        GTEST_SKIP() << "Xvfb could not be started";
    }
    XRandrDisplayMode xrandr(server.DisplayName());
    CLauncherDialog& window = Show(xrandr);

    PressF4();

    EXPECT_EQ(Captions(), std::vector<std::string>{"Warning"});
    EXPECT_FALSE(window.Model().DisplaySwitched());
    EXPECT_TRUE(Captioned());
    EXPECT_EQ(LitCrtcSizes(server.DisplayName()), (CrtcSizes{{1024, 768}}));
}

}  // namespace
}  // namespace kestrun::testing
