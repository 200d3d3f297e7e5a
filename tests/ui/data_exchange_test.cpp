#include "ui/data_exchange.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "ui/dialog.h"

namespace kestrun {
namespace {

// The exchange operations all share one shape: a control id and the member it fills.
using Binding = void (DataExchange::*)(int, int&) const;

// A dialog whose one member is bound to one control, the way a real dialog binds its options.
class OneBindingDialog : public CDialog {
  public:
    OneBindingDialog(const DialogTemplate& dialogTemplate, Binding binding, int controlId)
        : CDialog(dialogTemplate, nullptr), binding_(binding), controlId_(controlId) {}

    int value = 0;

  protected:
    void DoDataExchange(DataExchange& exchange) override {
        (exchange.*binding_)(controlId_, value);
    }

  private:
    Binding binding_;
    int controlId_;
};

struct RoundTrip {
    const char* name;
    int templateId;
    Binding binding;
    int controlId;
    int stored;
    int readBack;
};

// A value pushed into the controls and read straight back: out-of-range numbers come back as
// "no selection" (or clamped, for a trackbar), never as something else.
TEST(DataExchangeTest, ValuesRoundTripThroughEveryControlKind) {
    const RoundTrip cases[] = {
        {"check on", ids::MainDialog, &DataExchange::Check, ids::Steadykey, 1, 1},
        {"check junk", ids::MainDialog, &DataExchange::Check, ids::Cheat, 7, 0},
        {"check negative", ids::MainDialog, &DataExchange::Check, ids::Cheat, -1, 0},
        {"push-like check", ids::MainDialog, &DataExchange::Check, ids::SoundButton, 1, 1},
        {"radio first", ids::MainDialog, &DataExchange::Radio, ids::InputStandard, 0, 0},
        {"radio past boxes", ids::MainDialog, &DataExchange::Radio, ids::InputStandard, 1, 1},
        {"radio none", ids::MainDialog, &DataExchange::Radio, ids::InputStandard, -1, -1},
        {"radio too far", ids::MainDialog, &DataExchange::Radio, ids::InputStandard, 2, -1},
        {"radio of four", ids::MainDialog, &DataExchange::Radio, ids::EffectNone, 3, 3},
        {"list item", ids::MainDialog, &DataExchange::ListIndex, ids::ResolutionList, 8, 8},
        {"list none", ids::MainDialog, &DataExchange::ListIndex, ids::ControllerList, -1, -1},
        {"list too far", ids::MainDialog, &DataExchange::ListIndex, ids::ControllerList, 4, -1},
        {"list negative", ids::MainDialog, &DataExchange::ListIndex, ids::MaskList, -5, -1},
        {"trackbar", ids::AdvancedOptionsDialog, &DataExchange::Trackbar, ids::FeedbackSlider, 50,
         50},
        {"trackbar high", ids::AdvancedOptionsDialog, &DataExchange::Trackbar, ids::FeedbackSlider,
         150, 100},
        {"trackbar low", ids::AdvancedOptionsDialog, &DataExchange::Trackbar, ids::FeedbackSlider,
         -3, 0},
    };
    for (const RoundTrip& c : cases) {
        OneBindingDialog dialog(*FindDialogTemplate(c.templateId), c.binding, c.controlId);
        dialog.value = c.stored;
        dialog.UpdateData(false);
        dialog.value = 12345;
        dialog.UpdateData(true);
        EXPECT_EQ(dialog.value, c.readBack) << c.name;
    }
}

TEST(DataExchangeTest, LoadingSetsTheControlsAndSavingReadsTheUsersChanges) {
    OneBindingDialog radio(MainDialogTemplate(), &DataExchange::Radio, ids::InputStandard);
    radio.value = 1;
    radio.UpdateData(false);
    EXPECT_TRUE(radio.Item<QRadioButton>(ids::InputController)->isChecked());
    radio.Item<QRadioButton>(ids::InputStandard)->click();
    radio.UpdateData(true);
    EXPECT_EQ(radio.value, 0);

    OneBindingDialog check(MainDialogTemplate(), &DataExchange::Check, ids::Artwork);
    check.value = 1;
    check.UpdateData(false);
    EXPECT_TRUE(check.Item<QCheckBox>(ids::Artwork)->isChecked());
    check.Item<QCheckBox>(ids::Artwork)->click();
    check.UpdateData(true);
    EXPECT_EQ(check.value, 0);

    OneBindingDialog list(MainDialogTemplate(), &DataExchange::ListIndex, ids::ScanlinesList);
    list.value = 1;
    list.UpdateData(false);
    EXPECT_EQ(list.Item<QComboBox>(ids::ScanlinesList)->currentText(), "50%");
    list.Item<QComboBox>(ids::ScanlinesList)->setCurrentIndex(3);
    list.UpdateData(true);
    EXPECT_EQ(list.value, 3);
}

// A chosen radio button is cleared by -1 even though its group normally keeps one chosen.
TEST(DataExchangeTest, MinusOneClearsAChosenRadioButton) {
    OneBindingDialog dialog(MainDialogTemplate(), &DataExchange::Radio, ids::VideoWindow);
    dialog.Item<QRadioButton>(ids::VideoFullScreen)->click();
    dialog.value = -1;
    dialog.UpdateData(false);
    EXPECT_FALSE(dialog.Item<QRadioButton>(ids::VideoWindow)->isChecked());
    EXPECT_FALSE(dialog.Item<QRadioButton>(ids::VideoFullScreen)->isChecked());
    dialog.Item<QRadioButton>(ids::VideoWindow)->click();
    dialog.Item<QRadioButton>(ids::VideoFullScreen)->click();
    EXPECT_FALSE(dialog.Item<QRadioButton>(ids::VideoWindow)->isChecked());
}

TEST(DataExchangeTest, ABindingToAMissingControlLeavesTheMemberAlone) {
    OneBindingDialog dialog(AboutDialogTemplate(), &DataExchange::ListIndex, ids::ControllerList);
    dialog.value = 3;
    dialog.UpdateData(false);
    dialog.UpdateData(true);
    EXPECT_EQ(dialog.value, 3);
}

}  // namespace
}  // namespace kestrun
