#pragma once

#include <QIcon>
#include <QImage>
#include <span>
#include <vector>

#include "install/desktop_shortcut.h"

#include "ui/dialog_image_source.h"

namespace kestrun {

// The icon resource with the given number at every size it has; a null icon when there is
// none.
QIcon LoadIconResource(int iconId);

// The program's icon as PNG files of the given sizes, for the desktop's icon theme.
std::vector<IconFile> ProgramIconFiles(std::span<const int> sizes);

// The bitmap resource with the given number, 24 bits per pixel; a null image when there is
// none.
QImage LoadBitmapResource(int bitmapId);

// The two above as the image source of the program's dialog templates.
const DialogImageSource& ResourceImages();

}  // namespace kestrun
