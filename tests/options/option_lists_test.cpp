#include "options/option_lists.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kestrun {
namespace {

using ::testing::ElementsAre;

// The stored option is a position in these lists, so a reordered item silently changes what
// every saved profile means.
TEST(OptionLists, ItemsStandAtTheirStoredPositions) {
    EXPECT_THAT(ControllerListItems, ElementsAre("HotRod", "HotRodSE", "SlikStik", "XArcade"));
    EXPECT_THAT(ResolutionListItems, ElementsAre("Auto", "320x200", "320x240", "512x384", "640x400",
                                                 "640x480", "800x600", "1024x768", "1280x1024"));
    EXPECT_THAT(ScanlineListItems, ElementsAre("25%", "50%", "75%", "Vertical"));
    EXPECT_THAT(MaskListItems, ElementsAre("3 dot matrix", "4 dot matrix", "6 dot matrix",
                                           "16 dot matrix", "Tiny matrix", "Vertical matrix"));
}

}  // namespace
}  // namespace kestrun
