#include "ui/data_exchange.h"

#include <gtest/gtest.h>

#include <QRadioButton>

#include "tests/ui/sample_dialog.h"
#include "ui/dialog.h"

namespace kestrun {
namespace {

// Every exchange has one shape: a control id and the member it fills.
using Binding = void (DataExchange::*)(int, int&) const;

void Exchange(const CDialog& dialog, Binding binding, int controlId, int& value, bool save) {
    (DataExchange(dialog.Controls(), save).*binding)(controlId, value);
}

// A value pushed into the controls and read straight back: out-of-range numbers come back as
// "no selection" (or clamped, for a trackbar), never as something else; a binding to a control
// of another kind, or to none, leaves the member alone.
TEST(DataExchangeTest, ValuesRoundTripThroughEveryControlKind) {
    const std::tuple<Binding, int, int, int> cases[] = {
        {&DataExchange::Check, sample::Check, 1, 1},
        {&DataExchange::Check, sample::Check, 7, 0},
        {&DataExchange::Check, sample::Check, -1, 0},
        {&DataExchange::Check, sample::PushCheck, 1, 1},
        {&DataExchange::Radio, sample::RadioA, 1, 1},
        {&DataExchange::Radio, sample::RadioA, 2, -1},
        {&DataExchange::Radio, sample::RadioC, -1, -1},
        {&DataExchange::Radio, sample::RadioB, 1, 12345},
        {&DataExchange::ListIndex, sample::List, 3, 3},
        {&DataExchange::ListIndex, sample::List, 4, -1},
        {&DataExchange::ListIndex, sample::Label, 2, 12345},
        {&DataExchange::Trackbar, sample::Slider, 150, 100},
        {&DataExchange::Trackbar, sample::Slider, -3, 0},
        {&DataExchange::Trackbar, 999, 5, 12345},
    };
    for (auto [binding, controlId, stored, readBack] : cases) {
        const CDialog dialog(sample::Template(), nullptr);
        Exchange(dialog, binding, controlId, stored, false);
        int value = 12345;
        Exchange(dialog, binding, controlId, value, true);
        EXPECT_EQ(value, readBack) << controlId << " " << stored;
    }
}

// Positions count in template order; -1 clears the chosen button although the group keeps one
// chosen for the user.
TEST(DataExchangeTest, MinusOneClearsARadioGroup) {
    const CDialog dialog(sample::Template(), nullptr);
    auto* first = dialog.Item<QRadioButton>(sample::RadioA);
    int value = 0;
    Exchange(dialog, &DataExchange::Radio, sample::RadioA, value, false);
    EXPECT_TRUE(first->isChecked());
    value = -1;
    Exchange(dialog, &DataExchange::Radio, sample::RadioA, value, false);
    EXPECT_FALSE(first->isChecked());
    first->click();
    dialog.Item<QRadioButton>(sample::RadioB)->click();
    EXPECT_FALSE(first->isChecked());
}

}  // namespace
}  // namespace kestrun
