#include "launch/full_screen_layout.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kestrun
