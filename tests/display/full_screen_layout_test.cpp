#include "launch/full_screen_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrun {
namespace {

TEST(FullScreenLayout, EnteringMovesLeftBy6AndDownBy100) {
    struct Case {
        ControlRect control;
        ControlRect moved;
    };
    const Case cases[] = {
        {{200, 300, 75, 23}, {194, 400, 75, 23}},
        {{0, 0, 1, 1}, {-6, 100, 1, 1}},
        {{-40, -120, 300, 2}, {-46, -20, 300, 2}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EnteringFullScreenRect(c.control), c.moved);
    }
}

TEST(FullScreenLayout, LeavingShiftDependsOnTheDialogBottom) {
    struct Case {
        int dialogBottom;
        int shift;
    };
    const Case cases[] = {
        {600, 384}, {381, 165}, {380, 163}, {379, 163}, {200, 163}, {0, 163}, {-50, 163},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("bottom " + std::to_string(c.dialogBottom));
        EXPECT_EQ(LeavingFullScreenShift(c.dialogBottom), c.shift);
    }
}

TEST(FullScreenLayout, LeavingMovesUpAndKeepsTheLeftEdge) {
    const ControlRect entered = EnteringFullScreenRect({200, 300, 75, 23});
    EXPECT_EQ(LeavingFullScreenRect(entered, LeavingFullScreenShift(400)),
              (ControlRect{194, 216, 75, 23}));
    EXPECT_EQ(LeavingFullScreenRect(entered, LeavingFullScreenShift(300)),
              (ControlRect{194, 237, 75, 23}));
}

}  // namespace
}  // namespace kestrun
