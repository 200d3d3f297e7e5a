#pragma once

#include "ui/dialog_controls.h"

namespace kestrun {

// Moves values between controls and 32-bit members in one direction: into the members when
// saving, into the controls otherwise. A dialog's DoDataExchange calls one method per binding.
// A missing or mismatched control leaves the member as it is.
class DataExchange {
  public:
    DataExchange(const DialogControls& controls, bool save) : controls_(controls), save_(save) {}

    // 1 checked, 0 unchecked; any other stored number shows unchecked.
    void Check(int controlId, int& value) const;
    // Position of the chosen radio button in the group that starts at firstId, counted from
    // 0; -1 (or a number outside the group) for none.
    void Radio(int firstId, int& value) const;
    // Index of the chosen list item; -1 (or a number outside the list) for none.
    void ListIndex(int controlId, int& value) const;
    // Trackbar position; a number outside its range is shown at the nearest end.
    void Trackbar(int controlId, int& value) const;

  private:
    const DialogControls& controls_;
    bool save_;
};

}  // namespace kestrun
