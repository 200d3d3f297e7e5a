#pragma once

#include <QWidget>

#include "ui/dialog_controls.h"
#include "ui/dialog_template.h"

namespace kestrun {

// Makes the widgets of a template as children of client, which is sized to the template's
// client area: every control at its rectangle, radio buttons in exclusive groups, drop-down
// lists filled with their items, pictures from the template's image source. They are made in
// tab order, which the focus chain follows. The template must outlive the result.
DialogControls BuildDialogControls(const DialogTemplate& dialogTemplate, QWidget& client);

}  // namespace kestrun
