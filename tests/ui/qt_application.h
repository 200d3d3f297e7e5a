#pragma once

#include "ui/dialog.h"

namespace kestrun::testing {

// Shows the dialog on the offscreen screen and makes it the active window, so that keyboard
// shortcuts and focus behave as for a user.
void ShowActive(CDialog& dialog);

}  // namespace kestrun::testing
