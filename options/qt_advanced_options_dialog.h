#pragma once

#include <cstdint>

#include "options/advanced_options.h"
#include "platform/profile_store.h"
#include "ui/dialog.h"

namespace kestrun {

// Edits the advanced options. Reads them from the profile when made and writes all of them
// back on OK; Cancel, Escape and the close button write nothing. The Direct3D controls are
// usable only while Direct3D rendering is chosen.
class CAdvancedOptionsDialog : public CDialog {
    Q_OBJECT
  public:
    CAdvancedOptionsDialog(QWidget* parent, ProfileStore& profile);

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
    void OnOK() override;

  private:
    ProfileStore& profile_;
    std::int32_t d3d_ = 0;
    AdvancedOptions options_;
};

// Runs the dialog modally over its owner; the result is IdOk or IdCancel.
int RunAdvancedOptionsDialog(QWidget* owner, ProfileStore& profile);

}  // namespace kestrun
