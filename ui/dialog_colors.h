#pragma once

#include <QColor>

namespace kestrun {

// The program's dialog look: a dark grey background with white text.
inline const QColor DialogBackground(63, 64, 63);
inline const QColor DialogText(255, 255, 255);

// Gives every dialog of the application, message boxes included, this background and text
// colour. Push buttons, lists and edit fields keep their own colours.
void SetDialogBkColor(const QColor& background, const QColor& text);

}  // namespace kestrun
