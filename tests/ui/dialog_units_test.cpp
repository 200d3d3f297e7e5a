#include "ui/dialog_units.h"

#include <gtest/gtest.h>

namespace kestrun {
namespace {

// Horizontal units are 6/4 pixel, vertical 13/8, rounded to the nearest pixel with halves
// away from zero; each edge of a rectangle is converted on its own, so controls that touch in
// units touch in pixels.
TEST(DialogUnitsTest, ConvertsAtTheBaseUnitsAndRounds) {
    const int cases[][3] = {{0, 0, 0},    {1, 2, 2},      {3, 5, 5},       {4, 6, 7},
                            {-1, -2, -2}, {-7, -11, -11}, {155, 233, 252}, {606, 909, 985}};
    for (const auto& [units, pixelsX, pixelsY] : cases) {
        EXPECT_EQ(DialogUnitsToPixelsX(units), pixelsX) << units;
        EXPECT_EQ(DialogUnitsToPixelsY(units), pixelsY) << units;
    }
    EXPECT_EQ(DialogRectToPixels({171, 49, 15, 15}), QRect(257, 80, 22, 24));
    EXPECT_EQ(DialogRectToPixels({186, 49, 16, 14}).x(), 257 + 22);
}

}  // namespace
}  // namespace kestrun
