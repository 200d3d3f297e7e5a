#include "options/launch_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/memory_profile_store.h"

namespace kestrun {
namespace {

using ::testing::ElementsAre;
using testing::MemoryProfileStore;

TEST(LaunchOptions, EmptyProfileGivesTheFirstRunChoicesReadInConstructionOrder) {
    MemoryProfileStore profile;
    const LaunchOptions firstRun{
        .Video = 1, .Ctrlr = -1, .Scanlines = 1, .Artwork = 1, .BackdropsOverlays = 1, .Bezels = 1};
    EXPECT_EQ(LoadLaunchOptions(profile), firstRun);
    EXPECT_EQ(DefaultLaunchOptions(), firstRun);
    EXPECT_THAT(profile.Reads(),
                ElementsAre("Steadykey", "Stretch", "Input", "Video", "Mute", "Ctrlr", "Joystick",
                            "Mouse", "Effects", "Scanlines", "Mask", "Resolution", "Bypass",
                            "Cheat", "mame32", "Lightgun", "Artwork", "Artcrop", "Artres",
                            "BackdropsOverlays", "Bezels", "LoFi", "D3d"));
}

TEST(LaunchOptions, ClosingWritesTheWindowFieldsInCloseOrderWithoutLoFiOrD3d) {
    MemoryProfileStore profile;
    SaveLaunchOptions(profile, LaunchOptions{.LoFi = 1, .D3d = 1});
    EXPECT_THAT(
        profile.Writes(),
        ElementsAre("Input", "Steadykey", "Mute", "Video", "Stretch", "Ctrlr", "Joystick", "Mouse",
                    "Effects", "Scanlines", "Mask", "Resolution", "Bypass", "Cheat", "mame32",
                    "Lightgun", "Artwork", "Artcrop", "Artres", "BackdropsOverlays", "Bezels"));
    EXPECT_FALSE(profile.Has("LoFi"));
    EXPECT_FALSE(profile.Has("D3d"));
}

// Distinct values catch a key written from or read into the wrong member.
TEST(LaunchOptions, SavedValuesComeBackUnclampedIntoTheSameFieldsAndTogglesOneKeyEach) {
    LaunchOptions saved;
    std::int32_t next = -1;
    for (const LaunchOptionKey& entry : LaunchOptionKeys) {
        saved.*entry.member = next;
        next += 7;
    }
    MemoryProfileStore profile;
    SaveLaunchOptions(profile, saved);
    profile.ClearLog();
    SaveLoFi(profile, saved.LoFi);
    SaveD3d(profile, saved.D3d);
    EXPECT_THAT(profile.Writes(), ElementsAre("LoFi", "D3d"));  // the menu toggles, at once

    EXPECT_EQ(LoadLaunchOptions(profile), saved);
    EXPECT_EQ(profile.Values().at("Kestrun/Steadykey"), "-1");
}

}  // namespace
}  // namespace kestrun
