#pragma once

#include <QIcon>
#include <QImage>

namespace kestrun {

// Where the pictures of a dialog template come from, by resource number: the resources of the
// program that owns the template. A number without a picture gives a null image or icon.
class DialogImageSource {
  public:
    virtual ~DialogImageSource() = default;

    virtual QImage Bitmap(int bitmapId) const = 0;
    virtual QIcon Icon(int iconId) const = 0;
};

}  // namespace kestrun
