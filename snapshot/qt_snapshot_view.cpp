#include "snapshot/qt_snapshot_view.h"

#include "image/dib_image.h"
#include "image/qt_dib.h"
#include "snapshot/snapshot_rescale.h"

namespace kestrun {

QPixmap LoadSnapshotPicture(const std::string& path, bool fullScreen) {
    // Whatever the file holds, it is read as PNG: that is what the emulator writes.
    CDibImage image(path, FORMAT_PNG);
    FitSnapshotImage(image, fullScreen);
    return QPixmap::fromImage(ToDeviceBitmap(image));
}

void ShowPicture(QLabel& area, const QPixmap& picture) {
    area.setPixmap(picture);
    area.resize(picture.isNull() ? QSize(0, 0) : picture.size() / picture.devicePixelRatio());
}

}  // namespace kestrun
