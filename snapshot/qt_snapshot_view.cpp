#include "snapshot/qt_snapshot_view.h"

#include <QCoreApplication>
#include <QThreadPool>

#include "image/dib_image.h"
#include "image/qt_dib.h"
#include "snapshot/snapshot_rescale.h"

namespace kestrun {

QImage LoadSnapshotImage(const std::string& path, bool fullScreen) {
    // Whatever the file holds, it is read as PNG: that is what the emulator writes.
    CDibImage image(path, FORMAT_PNG);
    FitSnapshotImage(image, fullScreen);
    return ToDeviceBitmap(image);
}

void ShowPicture(QLabel& area, const QPixmap& picture) {
    area.setPixmap(picture);
    area.resize(picture.isNull() ? QSize(0, 0) : picture.size() / picture.devicePixelRatio());
}

SnapshotPictureLoader::SnapshotPictureLoader(QLabel& area)
    : target_(std::make_shared<Target>(Target{&area})) {}

SnapshotPictureLoader::~SnapshotPictureLoader() {
    target_->area = nullptr;
}

void SnapshotPictureLoader::ShowFile(const std::string& path, bool fullScreen) {
    const unsigned request = ++target_->latestRequest;
    auto decode = [target = target_, request, path, fullScreen] {
        QImage picture = LoadSnapshotImage(path, fullScreen);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [target, request, picture = std::move(picture)] {
                if (target->area != nullptr && request == target->latestRequest) {
                    ShowPicture(*target->area, QPixmap::fromImage(picture));
                }
            },
            Qt::QueuedConnection);
    };
    // Begun from the event loop: at start-up the window is on its way to the screen by then,
    // and on a machine with few cores the decoding would otherwise compete with the display
    // server for that. A picture asked for meanwhile makes this one useless.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [target = target_, request, decode = std::move(decode)] {
            if (request == target->latestRequest && target->area != nullptr) {
                QThreadPool::globalInstance()->start(decode);
            }
        },
        Qt::QueuedConnection);
}

void SnapshotPictureLoader::ShowNow(const QPixmap& picture) {
    ++target_->latestRequest;
    ShowPicture(*target_->area, picture);
}

}  // namespace kestrun
