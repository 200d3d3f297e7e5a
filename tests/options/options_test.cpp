#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "options/advanced_options.h"
#include "options/launch_options.h"
#include "tests/support/memory_profile_store.h"

namespace kestrun {
namespace {

using ::testing::ElementsAre;
using testing::MemoryProfileStore;

// Closing writes the window's fields in its own order; LoFi and D3d are the menu's toggles,
// written at once. Distinct values catch a key written from or read into the wrong member.
TEST(LaunchOptions, FirstRunChoicesAndSavedValuesComeBackInTheSameFields) {
    MemoryProfileStore profile;
    const LaunchOptions firstRun{
        .Video = 1, .Ctrlr = -1, .Scanlines = 1, .Artwork = 1, .BackdropsOverlays = 1, .Bezels = 1};
    EXPECT_EQ(LoadLaunchOptions(profile), firstRun);
    EXPECT_EQ(DefaultLaunchOptions(), firstRun);

    LaunchOptions saved;
    std::int32_t next = -1;
    for (const LaunchOptionKey& entry : LaunchOptionKeys) {
        saved.*entry.member = next;
        next += 7;
    }
    SaveLaunchOptions(profile, saved);
    SaveLoFi(profile, saved.LoFi);
    SaveD3d(profile, saved.D3d);
    EXPECT_THAT(profile.Writes(),
                ElementsAre("Input", "Steadykey", "Mute", "Video", "Stretch", "Ctrlr", "Joystick",
                            "Mouse", "Effects", "Scanlines", "Mask", "Resolution", "Bypass",
                            "Cheat", "mame32", "Lightgun", "Artwork", "Artcrop", "Artres",
                            "BackdropsOverlays", "Bezels", "LoFi", "D3d"));
    EXPECT_EQ(LoadLaunchOptions(profile), saved);
}

// The dialog's defaults are not a launch's: texture management counts as on until the dialog
// stores it.
TEST(AdvancedOptions, DialogDefaultsLaunchDefaultsAndTheSevenKeysOkWrites) {
    MemoryProfileStore profile;
    EXPECT_EQ(LoadAdvancedOptions(profile),
              (AdvancedOptions{.NoSkipGameinfo = 1, .Flt = 1, .Slider = 50}));
    EXPECT_EQ(ReadAdvancedOptionAtLaunch(profile, &AdvancedOptions::TextureManagement), 1);
    SaveAdvancedOptions(profile, LoadAdvancedOptions(profile));
    EXPECT_EQ(ReadAdvancedOptionAtLaunch(profile, &AdvancedOptions::TextureManagement), 0);

    const AdvancedOptions saved{1, 2, 3, 4, 5, 6, 150};
    profile.ClearLog();
    SaveAdvancedOptions(profile, saved);
    EXPECT_THAT(profile.Writes(),
                ElementsAre("NoSkipDislaimer", "NoSkipGameinfo", "Flt", "TextureManagement",
                            "NoRDTSC", "Feedback", "Slider"));
    EXPECT_EQ(LoadAdvancedOptions(profile), saved);
}

}  // namespace
}  // namespace kestrun
