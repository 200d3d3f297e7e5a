#include "platform/xrandr_display_mode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <utility>

#include "tests/display/x_display_probe.h"

namespace kestrun {
namespace {

using testing::AddedDisplayMode;
using testing::CrtcSizes;
using testing::HeldDisplayConnection;
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

// Whatever display the tests run under: a switch either works and is undone, or fails and
// leaves every CRTC as it was.
TEST(XRandrDisplayMode, LeavesTheCurrentDisplayAsItFindsIt) {
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "no X display";
    }
    const HeldDisplayConnection held;
    const CrtcSizes before = LitCrtcSizes();
    XRandrDisplayMode mode;
    if (mode.ChangeDisplayMode(640, 480, false)) {
        EXPECT_TRUE(mode.ChangeDisplayMode(0, 0, true));
    }
    EXPECT_EQ(LitCrtcSizes(), before);
}

class XRandrOnXvfb : public ::testing::Test {
  protected:
    void SetUp() override {
        if (server_.DisplayName().empty()) {
            GTEST_SKIP() << "Xvfb could not be started";
        }
        ASSERT_EQ(LitCrtcSizes(server_.DisplayName()), Xvfb1024x768);
    }
    CrtcSizes Sizes() const { return LitCrtcSizes(server_.DisplayName()); }

    PrivateXServer server_;
};

TEST_F(XRandrOnXvfb, RefusesSizesTheOutputDoesNotOffer) {
    XRandrDisplayMode mode(server_.DisplayName());
    EXPECT_FALSE(mode.ChangeDisplayMode(640, 480, false));
    EXPECT_FALSE(mode.ChangeDisplayMode(0, 768, false));
    EXPECT_FALSE(mode.ChangeDisplayMode(-1024, -768, false));
    EXPECT_EQ(Sizes(), Xvfb1024x768);
    EXPECT_TRUE(mode.ChangeDisplayMode(0, 0, true));
    EXPECT_EQ(Sizes(), Xvfb1024x768);
}

TEST_F(XRandrOnXvfb, SwitchesAndRestoresTheModeFoundBefore) {
    const AddedDisplayMode added(server_.DisplayName(), 640, 480);
    ASSERT_TRUE(added.Added());
    XRandrDisplayMode mode(server_.DisplayName());

    ASSERT_TRUE(mode.ChangeDisplayMode(640, 480, false));
    EXPECT_EQ(Sizes(), Xvfb640x480);
    // Switching again must not take 640x480 for the mode to come back to.
    EXPECT_TRUE(mode.ChangeDisplayMode(640, 480, false));
    EXPECT_TRUE(mode.ChangeDisplayMode(0, 0, true));
    EXPECT_EQ(Sizes(), Xvfb1024x768);
    // Restoring twice is harmless, and a new switch works after a restore.
    EXPECT_TRUE(mode.ChangeDisplayMode(0, 0, true));
    EXPECT_TRUE(mode.ChangeDisplayMode(640, 480, false));
    EXPECT_EQ(Sizes(), Xvfb640x480);
    EXPECT_TRUE(mode.ChangeDisplayMode(0, 0, true));
    EXPECT_EQ(Sizes(), Xvfb1024x768);
}

TEST_F(XRandrOnXvfb, GivesTheDisplayBackWhenDestroyedWhileSwitched) {
    const AddedDisplayMode added(server_.DisplayName(), 640, 480);
    ASSERT_TRUE(added.Added());
    std::optional<XRandrDisplayMode> mode(std::in_place, server_.DisplayName());
    ASSERT_TRUE(mode->ChangeDisplayMode(640, 480, false));
    mode.reset();
    EXPECT_EQ(Sizes(), Xvfb1024x768);
}

TEST_F(XRandrOnXvfb, RestoresAfterTheSwitchedModesMakerHasLeft) {
    XRandrDisplayMode mode(server_.DisplayName());
    {
        const AddedDisplayMode added(server_.DisplayName(), 640, 480);
        ASSERT_TRUE(mode.ChangeDisplayMode(640, 480, false));
    }
    // The connection that made 640x480 is gone; the remembered mode is what counts.
    EXPECT_TRUE(mode.ChangeDisplayMode(0, 0, true));
    EXPECT_EQ(Sizes(), Xvfb1024x768);
}

}  // namespace
}  // namespace kestrun
