#pragma once

#include <QFont>

namespace kestrun {

// The font of every dialog: an 8-point sans-serif face whose line and average letter are no
// larger than the base units the templates were drawn for, so that a one-line text shows its
// descenders and underline and the captions fit their controls.
QFont DialogFont();

}  // namespace kestrun
