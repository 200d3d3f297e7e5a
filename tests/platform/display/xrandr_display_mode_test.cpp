#include "platform/xrandr_display_mode.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "tests/platform/display/x_display_probe.h"

namespace kestrun {
namespace {

using testing::CrtcSizes;
using testing::LitCrtcSizes;

// Without a server it fails cleanly, and there is nothing to give back.
TEST(XRandrDisplayMode, SwitchesOnlyToOfferedSizesAndGivesBackTheModeFoundFirst) {
    XRandrDisplayMode without("unix:4711");
    EXPECT_FALSE(without.ChangeDisplayMode(640, 480, false));
    EXPECT_TRUE(without.ChangeDisplayMode(0, 0, true));

    const testing::PrivateXServer server;
    const std::string& name = server.DisplayName();
    if (name.empty()) {
        GTEST_SKIP() << "Xvfb could not be started";
    }
    const CrtcSizes xvfb = {{1024, 768}};
    ASSERT_EQ(LitCrtcSizes(name), xvfb);
    std::optional<XRandrDisplayMode> mode(std::in_place, name);
    for (const auto& [width, height] : {std::pair{640, 480}, {0, 768}, {-1024, -768}}) {
        EXPECT_FALSE(mode->ChangeDisplayMode(width, height, false)) << width << "x" << height;
    }
    ASSERT_TRUE(testing::AddVgaMode(name));

    // Switching again must not take 640x480 for the mode to come back to; restoring twice is
    // harmless.
    ASSERT_TRUE(mode->ChangeDisplayMode(640, 480, false));
    EXPECT_TRUE(mode->ChangeDisplayMode(640, 480, false));
    EXPECT_EQ(LitCrtcSizes(name), (CrtcSizes{{640, 480}}));
    EXPECT_TRUE(mode->ChangeDisplayMode(0, 0, true));
    EXPECT_TRUE(mode->ChangeDisplayMode(0, 0, true));
    EXPECT_EQ(LitCrtcSizes(name), xvfb);

    // Destroyed while switched, it gives the display back.
    ASSERT_TRUE(mode->ChangeDisplayMode(640, 480, false));
    mode.reset();
    EXPECT_EQ(LitCrtcSizes(name), xvfb);
}

}  // namespace
}  // namespace kestrun
