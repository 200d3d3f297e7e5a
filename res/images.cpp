#include "res/images.h"

#include <QFile>

// The pictures are compiled into this static library, whose registration the linker would
// otherwise drop.
static void RegisterPictures() {
    Q_INIT_RESOURCE(kestrun);
}

namespace kestrun {

namespace {

void EnsurePicturesRegistered() {
    static const bool registered = (RegisterPictures(), true);
    (void)registered;
}

}  // namespace

QIcon LoadIconResource(int iconId) {
    EnsurePicturesRegistered();
    QIcon icon;
    for (const int size : {16, 32}) {
        const QString path = QStringLiteral(":/res/images/icon%1-%2.png").arg(iconId).arg(size);
        if (QFile::exists(path)) {
            icon.addFile(path, QSize(size, size));
        }
    }
    return icon;
}

QImage LoadBitmapResource(int bitmapId) {
    EnsurePicturesRegistered();
    const QImage image(QStringLiteral(":/res/images/bitmap%1.png").arg(bitmapId));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB888);
}

const DialogImageSource& ResourceImages() {
    class Resources final : public DialogImageSource {
      public:
        QImage Bitmap(int bitmapId) const override { return LoadBitmapResource(bitmapId); }
        QIcon Icon(int iconId) const override { return LoadIconResource(iconId); }
    };
    static const Resources resources;
    return resources;
}

}  // namespace kestrun
