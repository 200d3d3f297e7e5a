#include "res/images.h"

#include <QFile>

#include "res/resource_ids.h"

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

QString IconPath(int iconId, int size) {
    return QStringLiteral(":/res/images/icon%1-%2.png").arg(iconId).arg(size);
}

}  // namespace

QIcon LoadIconResource(int iconId) {
    EnsurePicturesRegistered();
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128}) {
        if (const QString path = IconPath(iconId, size); QFile::exists(path)) {
            icon.addFile(path, QSize(size, size));
        }
    }
    return icon;
}

std::vector<IconFile> ProgramIconFiles(std::span<const int> sizes) {
    EnsurePicturesRegistered();
    std::vector<IconFile> files;
    for (const int size : sizes) {
        QFile file(IconPath(ids::ProgramIcon, size));
        if (file.open(QIODevice::ReadOnly)) {
            files.push_back({size, file.readAll().toStdString()});
        }
    }
    return files;
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
