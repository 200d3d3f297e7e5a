#pragma once

#include <QIcon>
#include <QImage>

#include "ui/dialog_image_source.h"

namespace kestrun {

// The icon resource with the given number (16 and 32 pixel sizes); a null icon when there is
// none.
QIcon LoadIconResource(int iconId);

// The bitmap resource with the given number, 24 bits per pixel; a null image when there is
// none.
QImage LoadBitmapResource(int bitmapId);

// The two above as the image source of the program's dialog templates.
const DialogImageSource& ResourceImages();

}  // namespace kestrun
