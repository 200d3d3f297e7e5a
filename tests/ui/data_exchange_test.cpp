#include "ui/data_exchange.h"

#include <gtest/gtest.h>

#include <QRadioButton>

#include "tests/ui/sample_dialog.h"
#include "ui/dialog.h"

namespace kestrun {
namespace {

// The exchange operations all share one shape: a control id and the member it fills.
using Binding = void (DataExchange::*)(int, int&) const;

void Exchange(const CDialog& dialog, Binding binding, int controlId, int& value, bool save) {
    (DataExchange(dialog.Controls(), save).*binding)(controlId, value);
}

struct RoundTrip {
    Binding binding;
    int controlId;
    int stored;
    int readBack;
};

// A value pushed into the controls and read straight back: out-of-range numbers come back as
// "no selection" (or clamped, for a trackbar), never as something else; a binding to a control
// of another kind, or to none, leaves the member alone.
TEST(DataExchangeTest, ValuesRoundTripThroughEveryControlKind) {
    const RoundTrip cases[] = {
        {&DataExchange::Check, sample::Check, 1, 1},
        {&DataExchange::Check, sample::Check, 7, 0},
        {&DataExchange::Check, sample::Check, -1, 0},
        {&DataExchange::Check, sample::PushCheck, 1, 1},
        {&DataExchange::Radio, sample::RadioA, 0, 0},
        {&DataExchange::Radio, sample::RadioA, 1, 1},
        {&DataExchange::Radio, sample::RadioA, 2, -1},
        {&DataExchange::Radio, sample::RadioC, -1, -1},
        {&DataExchange::Radio, sample::RadioB, 1, 12345},
        {&DataExchange::ListIndex, sample::List, 3, 3},
        {&DataExchange::ListIndex, sample::List, 4, -1},
        {&DataExchange::ListIndex, sample::List, -5, -1},
        {&DataExchange::ListIndex, sample::Label, 2, 12345},
        {&DataExchange::Trackbar, sample::Slider, 50, 50},
        {&DataExchange::Trackbar, sample::Slider, 150, 100},
        {&DataExchange::Trackbar, sample::Slider, -3, 0},
        {&DataExchange::Trackbar, 999, 5, 12345},
    };
    for (RoundTrip c : cases) {
        const CDialog dialog(sample::Template(), nullptr);
        Exchange(dialog, c.binding, c.controlId, c.stored, false);
        int value = 12345;
        Exchange(dialog, c.binding, c.controlId, value, true);
        EXPECT_EQ(value, c.readBack) << c.controlId << " " << c.stored;
    }
}

// A chosen radio button is cleared by -1 even though its group keeps one chosen for the user.
TEST(DataExchangeTest, RadioPositionsCountInTemplateOrderAndMinusOneClearsThem) {
    const CDialog dialog(sample::Template(), nullptr);
    auto* first = dialog.Item<QRadioButton>(sample::RadioA);
    auto* second = dialog.Item<QRadioButton>(sample::RadioB);
    int value = 1;
    Exchange(dialog, &DataExchange::Radio, sample::RadioA, value, false);
    EXPECT_TRUE(second->isChecked());
    first->click();
    Exchange(dialog, &DataExchange::Radio, sample::RadioA, value, true);
    EXPECT_EQ(value, 0);
    value = -1;
    Exchange(dialog, &DataExchange::Radio, sample::RadioA, value, false);
    EXPECT_FALSE(first->isChecked());
    first->click();
    second->click();
    EXPECT_FALSE(first->isChecked());
}

}  // namespace
}  // namespace kestrun
