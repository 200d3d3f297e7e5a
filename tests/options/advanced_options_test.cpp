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
    const AdvancedOptions options = LoadAdvancedOptions(profile);

    EXPECT_EQ(options.NoSkipDislaimer, 0);
    EXPECT_EQ(options.NoSkipGameinfo, 1);
    EXPECT_EQ(options.Flt, 1);
    EXPECT_EQ(options.TextureManagement, 0);
    EXPECT_EQ(options.NoRDTSC, 0);
    EXPECT_EQ(options.Feedback, 0);
    EXPECT_EQ(options.Slider, 50);
    EXPECT_THAT(profile.Reads(), ElementsAre("NoSkipDislaimer", "Flt", "TextureManagement",
                                             "NoSkipGameinfo", "NoRDTSC", "Feedback", "Slider"));
}

TEST(AdvancedOptions, OkWritesAllSevenKeysInItsOwnOrderAndTheyReadBack) {
    const AdvancedOptions saved{.NoSkipDislaimer = 1,
                                .NoSkipGameinfo = 2,
                                .Flt = 3,
                                .TextureManagement = 4,
                                .NoRDTSC = 5,
                                .Feedback = 6,
                                .Slider = 150};
    MemoryProfileStore profile;
    SaveAdvancedOptions(profile, saved);
    EXPECT_THAT(profile.Writes(),
                ElementsAre("NoSkipDislaimer", "NoSkipGameinfo", "Flt", "TextureManagement",
                            "NoRDTSC", "Feedback", "Slider"));

    const AdvancedOptions loaded = LoadAdvancedOptions(profile);
    EXPECT_EQ(saved, loaded);
}

TEST(AdvancedOptions, LaunchCountsTextureManagementOnUntilTheDialogStoresItOff) {
    MemoryProfileStore profile;
    EXPECT_EQ(ReadAdvancedOptionAtLaunch(profile, &AdvancedOptions::TextureManagement), 1);

    SaveAdvancedOptions(profile, LoadAdvancedOptions(profile));
    EXPECT_EQ(ReadAdvancedOptionAtLaunch(profile, &AdvancedOptions::TextureManagement), 0);
}

TEST(AdvancedOptions, LaunchDefaultsOfAnEmptyProfile) {
    struct Case {
        std::int32_t AdvancedOptions::*field;
        const char* key;
        std::int32_t expected;
    };
    const Case cases[] = {
        {&AdvancedOptions::NoSkipDislaimer, "NoSkipDislaimer", 0},
        {&AdvancedOptions::NoSkipGameinfo, "NoSkipGameinfo", 1},
        {&AdvancedOptions::Flt, "Flt", 1},
        {&AdvancedOptions::TextureManagement, "TextureManagement", 1},
        {&AdvancedOptions::NoRDTSC, "NoRDTSC", 0},
        {&AdvancedOptions::Feedback, "Feedback", 0},
        {&AdvancedOptions::Slider, "Slider", 50},
    };
    for (const Case& c : cases) {
        MemoryProfileStore profile;
        EXPECT_EQ(ReadAdvancedOptionAtLaunch(profile, c.field), c.expected) << c.key;
        EXPECT_THAT(profile.Reads(), ElementsAre(c.key));
    }
}

}  // namespace
}  // namespace kestrun
