#include "options/qt_advanced_options_dialog.h"

#include <QSlider>

#include "options/launch_options.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

namespace kestrun {

namespace {

constexpr int SliderMinimum = 0;
constexpr int SliderMaximum = 100;

}  // namespace

CAdvancedOptionsDialog::CAdvancedOptionsDialog(QWidget* parent, ProfileStore& profile)
    : CDialog(AdvancedOptionsDialogTemplate(), parent),
      profile_(profile),
      options_(LoadAdvancedOptions(profile)) {
    d3d_ = profile_.GetProfileInt(ProfileSection, D3dKey, 0);
}

void CAdvancedOptionsDialog::DoDataExchange(DataExchange& exchange) {
    exchange.Check(ids::NoSkipDisclaimerBox, options_.NoSkipDislaimer);
    exchange.Check(ids::FilterBox, options_.Flt);
    exchange.Check(ids::TextureManagementBox, options_.TextureManagement);
    exchange.Check(ids::NoSkipGameinfoBox, options_.NoSkipGameinfo);
    exchange.Check(ids::NoRdtscBox, options_.NoRDTSC);
    exchange.Check(ids::FeedbackBox, options_.Feedback);
    exchange.Trackbar(ids::FeedbackSlider, options_.Slider);
}

bool CAdvancedOptionsDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (auto* slider = Item<QSlider>(ids::FeedbackSlider)) {
        slider->setRange(SliderMinimum, SliderMaximum);
        // A stored strength outside the range shows at its nearer end.
        slider->setValue(options_.Slider);
    }
    // The trackbar is not tied to "Feedback effect": only the rendering choice counts.
    const bool direct3d = RendersWithDirect3D(d3d_);
    for (const int id :
         {ids::FilterBox, ids::TextureManagementBox, ids::FeedbackBox, ids::FeedbackSlider}) {
        if (QWidget* control = GetDlgItem(id)) {
            control->setEnabled(direct3d);
        }
    }
    return true;
}

void CAdvancedOptionsDialog::OnOK() {
    UpdateData(true);
    SaveAdvancedOptions(profile_, options_);
    CDialog::OnOK();
}

int RunAdvancedOptionsDialog(QWidget* owner, ProfileStore& profile) {
    CAdvancedOptionsDialog dialog(owner, profile);
    return dialog.DoModal();
}

}  // namespace kestrun
