#include "launch/full_screen_layout.h"

#include <gtest/gtest.h>

namespace kestrun {
namespace {

TEST(FullScreenLayout, EnteringMovesLeftBy6AndDownBy100) {
    EXPECT_EQ(EnteringFullScreenRect({200, 300, 75, 23}), (ControlRect{194, 400, 75, 23}));
    EXPECT_EQ(EnteringFullScreenRect({-40, -120, 3, 2}), (ControlRect{-46, -20, 3, 2}));
}

}  // namespace
}  // namespace kestrun
