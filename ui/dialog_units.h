#pragma once

#include <QRect>
#include <QSize>

#include "ui/dialog_template.h"

namespace kestrun {

// Dialog units at the base units the templates were drawn for: a horizontal unit is a quarter
// of 6 pixels, a vertical unit an eighth of 13. The results are Qt's logical pixels, which Qt
// itself multiplies by the screen's device pixel ratio.
inline constexpr int BaseUnitX = 6;
inline constexpr int BaseUnitY = 13;

int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

// Each edge is converted on its own, so controls that touch in dialog units still touch.
QRect DialogRectToPixels(const DialogRect& rect);
QSize DialogSizeToPixels(int width, int height);

}  // namespace kestrun
