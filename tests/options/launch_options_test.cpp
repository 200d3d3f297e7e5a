#include "options/launch_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/memory_profile_store.h"

namespace kestrun {
namespace {

using ::testing::ElementsAre;
using testing::MemoryProfileStore;

TEST(LaunchOptions, EmptyProfileGivesTheFirstRunChoices) {
    MemoryProfileStore profile;
    const LaunchOptions options = LoadLaunchOptions(profile);

    EXPECT_EQ(options.Video, 1);
    EXPECT_EQ(options.Stretch, 0);
    EXPECT_EQ(options.Input, 0);
    EXPECT_EQ(options.Mouse + options.Joystick + options.Lightgun, 0);
    EXPECT_EQ(options.Ctrlr, -1);
    EXPECT_EQ(options.Effects, 0);
    EXPECT_EQ(options.Scanlines, 1);
    EXPECT_EQ(options.Mask, 0);
    EXPECT_EQ(options.Resolution, 0);
    EXPECT_EQ(options.Artwork, 1);
    EXPECT_EQ(options.BackdropsOverlays, 1);
    EXPECT_EQ(options.Bezels, 1);
    EXPECT_EQ(options.Artcrop + options.Artres, 0);
    EXPECT_EQ(options.Mute, 0);
    EXPECT_EQ(options.D3d, 0);
    EXPECT_EQ(options.LoFi, 0);
    EXPECT_EQ(options.Steadykey + options.Bypass + options.Cheat + options.mame32, 0);

    const LaunchOptions defaults = DefaultLaunchOptions();
    EXPECT_EQ(defaults, options);
}

TEST(LaunchOptions, ReadsEveryKeyOnceInConstructionOrder) {
    MemoryProfileStore profile;
    LoadLaunchOptions(profile);
    EXPECT_THAT(profile.Reads(),
                ElementsAre("Steadykey", "Stretch", "Input", "Video", "Mute", "Ctrlr", "Joystick",
                            "Mouse", "Effects", "Scanlines", "Mask", "Resolution", "Bypass",
                            "Cheat", "mame32", "Lightgun", "Artwork", "Artcrop", "Artres",
                            "BackdropsOverlays", "Bezels", "LoFi", "D3d"));
}

TEST(LaunchOptions, ClosingWritesTheWindowFieldsInCloseOrderWithoutLoFiOrD3d) {
    MemoryProfileStore profile;
    LaunchOptions options = DefaultLaunchOptions();
    options.LoFi = 1;
    options.D3d = 1;
    SaveLaunchOptions(profile, options);

    EXPECT_THAT(
        profile.Writes(),
        ElementsAre("Input", "Steadykey", "Mute", "Video", "Stretch", "Ctrlr", "Joystick", "Mouse",
                    "Effects", "Scanlines", "Mask", "Resolution", "Bypass", "Cheat", "mame32",
                    "Lightgun", "Artwork", "Artcrop", "Artres", "BackdropsOverlays", "Bezels"));
    EXPECT_FALSE(profile.Has("LoFi"));
    EXPECT_FALSE(profile.Has("D3d"));
}

// Distinct values catch a key written from or read into the wrong member.
TEST(LaunchOptions, SavedValuesComeBackUnclampedIntoTheSameFields) {
    LaunchOptions saved;
    std::int32_t next = -1;
    for (const LaunchOptionKey& entry : LaunchOptionKeys) {
        saved.*entry.member = next;
        next += 7;
    }
    MemoryProfileStore profile;
    SaveLaunchOptions(profile, saved);
    SaveLoFi(profile, saved.LoFi);
    SaveD3d(profile, saved.D3d);

    const LaunchOptions loaded = LoadLaunchOptions(profile);
    EXPECT_EQ(saved, loaded);
    EXPECT_EQ(loaded.Steadykey, -1);
    EXPECT_EQ(profile.Values().at("Kestrun/Steadykey"), "-1");
}

TEST(LaunchOptions, MenuTogglesAreStoredAtOnceOneKeyEach) {
    MemoryProfileStore profile;
    SaveLoFi(profile, 1);
    SaveLoFi(profile, 0);
    SaveD3d(profile, 1);
    EXPECT_THAT(profile.Writes(), ElementsAre("LoFi", "LoFi", "D3d"));

    const LaunchOptions loaded = LoadLaunchOptions(profile);
    EXPECT_EQ(loaded.LoFi, 0);
    EXPECT_EQ(loaded.D3d, 1);
}

}  // namespace
}  // namespace kestrun
