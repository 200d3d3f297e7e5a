#include "platform/xrandr_display_mode.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "tests/platform/display/x_display_probe.h"

namespace kestrun {
namespace {

using testing::AddedDisplayMode;
using testing::CrtcSizes;
using testing::LitCrtcSizes;
using testing::PrivateXServer;

const CrtcSizes Xvfb1024x768 = {{1024, 768}};
const CrtcSizes Xvfb640x480 = {{640, 480}};

TEST(XRandrDisplayMode, FailsCleanlyWithoutAServer) {
    XRandrDisplayMode mode("unix:4711");
    EXPECT_FALSE(mode.ChangeDisplayMode(640, 480, false));
    // Nothing was switched, so there is nothing to give back.
    EXPECT_TRUE(mode.ChangeDisplayMode(0, 0, true));
}

class XRandrOnXvfb : public ::testing::Test {
  protected:
    void SetUp() override {
        if (server_.DisplayName().empty()) {
            GTEST_SKIP() << "Xvfb could not be started";
        }
        ASSERT_EQ(Sizes(), Xvfb1024x768);
    }
    CrtcSizes Sizes() const { return LitCrtcSizes(server_.DisplayName()); }

    PrivateXServer server_;
};

TEST_F(XRandrOnXvfb, SwitchesOnlyToOfferedSizesAndRestoresTheModeFoundBefore) {
    XRandrDisplayMode mode(server_.DisplayName());
    for (const auto& [width, height] : {std::pair{640, 480}, {0, 768}, {-1024, -768}}) {
        EXPECT_FALSE(mode.ChangeDisplayMode(width, height, false)) << width << "x" << height;
    }
    EXPECT_TRUE(mode.ChangeDisplayMode(0, 0, true));
    EXPECT_EQ(Sizes(), Xvfb1024x768);
    {
        const AddedDisplayMode added(server_.DisplayName(), 640, 480);
        ASSERT_TRUE(added.Added());
        ASSERT_TRUE(mode.ChangeDisplayMode(640, 480, false));
        EXPECT_EQ(Sizes(), Xvfb640x480);
        // Switching again must not take 640x480 for the mode to come back to.
        EXPECT_TRUE(mode.ChangeDisplayMode(640, 480, false));
    }
    // The connection that made 640x480 is gone; the remembered mode is what counts.
    EXPECT_TRUE(mode.ChangeDisplayMode(0, 0, true));
    EXPECT_EQ(Sizes(), Xvfb1024x768);
    // Restoring twice is harmless.
    EXPECT_TRUE(mode.ChangeDisplayMode(0, 0, true));
    EXPECT_EQ(Sizes(), Xvfb1024x768);
}

TEST_F(XRandrOnXvfb, GivesTheDisplayBackWhenDestroyedWhileSwitched) {
    const AddedDisplayMode added(server_.DisplayName(), 640, 480);
    ASSERT_TRUE(added.Added());
    std::optional<XRandrDisplayMode> mode(std::in_place, server_.DisplayName());
    // A switch after a restore works too.
    ASSERT_TRUE(mode->ChangeDisplayMode(640, 480, false));
    EXPECT_TRUE(mode->ChangeDisplayMode(0, 0, true));
    ASSERT_TRUE(mode->ChangeDisplayMode(640, 480, false));
    EXPECT_EQ(Sizes(), Xvfb640x480);
    mode.reset();
    EXPECT_EQ(Sizes(), Xvfb1024x768);
}

}  // namespace
}  // namespace kestrun
