#include "options/advanced_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/memory_profile_store.h"

namespace kestrun {
namespace {

using ::testing::ElementsAre;
using testing::MemoryProfileStore;

TEST(AdvancedOptions, EmptyProfileGivesTheDialogDefaultsInConstructionOrder) {
    MemoryProfileStore profile;
    EXPECT_EQ(LoadAdvancedOptions(profile),
              (AdvancedOptions{.NoSkipGameinfo = 1, .Flt = 1, .Slider = 50}));
    EXPECT_THAT(profile.Reads(), ElementsAre("NoSkipDislaimer", "Flt", "TextureManagement",
                                             "NoSkipGameinfo", "NoRDTSC", "Feedback", "Slider"));
}

TEST(AdvancedOptions, OkWritesAllSevenKeysInItsOwnOrderAndTheyReadBack) {
    const AdvancedOptions saved{1, 2, 3, 4, 5, 6, 150};
    MemoryProfileStore profile;
    SaveAdvancedOptions(profile, saved);
    EXPECT_THAT(profile.Writes(),
                ElementsAre("NoSkipDislaimer", "NoSkipGameinfo", "Flt", "TextureManagement",
                            "NoRDTSC", "Feedback", "Slider"));
    EXPECT_EQ(LoadAdvancedOptions(profile), saved);
}

TEST(AdvancedOptions, LaunchCountsTextureManagementOnUntilTheDialogStoresItOff) {
    MemoryProfileStore profile;
    EXPECT_EQ(ReadAdvancedOptionAtLaunch(profile, &AdvancedOptions::TextureManagement), 1);
    EXPECT_EQ(ReadAdvancedOptionAtLaunch(profile, &AdvancedOptions::Slider), 50);

    SaveAdvancedOptions(profile, LoadAdvancedOptions(profile));
    EXPECT_EQ(ReadAdvancedOptionAtLaunch(profile, &AdvancedOptions::TextureManagement), 0);
}

}  // namespace
}  // namespace kestrun
