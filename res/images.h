#pragma once

#include <QIcon>
#include <QImage>
#include <list>
#include <span>
#include <thread>
#include <vector>

#include "image/dib_image.h"
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

// Decodes the pictures LoadIconResource and LoadBitmapResource give on a thread of its own, with
// the program's own image library, which makes no Qt object: start-up makes it before the
// application, so that the decoding runs while the application connects to the display. Made on
// the window's thread; Finish() waits for the thread and hands the pictures to those two. Called
// before, they decode what they are asked for themselves.
class PicturesDecodedAhead {
  public:
    PicturesDecodedAhead();
    PicturesDecodedAhead(const PicturesDecodedAhead&) = delete;
    PicturesDecodedAhead& operator=(const PicturesDecodedAhead&) = delete;

    void Finish();

  private:
    struct Picture {
        QString path;
        QByteArray bytes;
        CDibImage image;
        bool decoded = false;
    };
    std::list<Picture> pictures_;
    // Last: it ends, and is waited for, before the pictures go.
    std::jthread worker_;
};

}  // namespace kestrun
