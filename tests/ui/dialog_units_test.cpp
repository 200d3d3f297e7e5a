#include "ui/dialog_units.h"

#include <gtest/gtest.h>

namespace kestrun {
namespace {

struct UnitCase {
    int units;
    int pixelsX;
    int pixelsY;
};

// Horizontal units are 6/4 pixel, vertical 13/8, rounded to the nearest pixel with halves
// away from zero.
TEST(DialogUnitsTest, ConvertsAtTheBaseUnitsAndRounds) {
    const UnitCase cases[] = {
        {0, 0, 0},       {1, 2, 2},       {3, 5, 5},       {4, 6, 7},
        {7, 11, 11},     {-1, -2, -2},    {-7, -11, -11},  {155, 233, 252},
        {431, 647, 700}, {606, 909, 985}, {207, 311, 336},
    };
    for (const UnitCase& c : cases) {
        EXPECT_EQ(DialogUnitsToPixelsX(c.units), c.pixelsX) << c.units;
        EXPECT_EQ(DialogUnitsToPixelsY(c.units), c.pixelsY) << c.units;
    }
}

TEST(DialogUnitsTest, ControlsThatTouchInUnitsTouchInPixels) {
    const QRect previous = DialogRectToPixels({170, 49, 16, 14});
    const QRect next = DialogRectToPixels({186, 49, 16, 14});
    EXPECT_EQ(previous.x() + previous.width(), next.x());
    EXPECT_EQ(previous, QRect(255, 80, 24, 22));
}

}  // namespace
}  // namespace kestrun
