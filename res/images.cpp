#include "res/images.h"

#include <QFile>
#include <QPixmap>
#include <map>

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

// Each picture is decoded once, in the given format (as stored when invalid), and shared from
// then on: windows and buttons ask for the same few again and again. A missing one stays null.
const QImage& DecodedOnce(const QString& path, QImage::Format format = QImage::Format_Invalid) {
    EnsurePicturesRegistered();
    static std::map<QString, QImage> decoded;
    auto [entry, isNew] = decoded.try_emplace(path);
    if (isNew && QFile::exists(path)) {
        const QImage image(path);
        entry->second = format == QImage::Format_Invalid || image.isNull()
                            ? image
                            : image.convertToFormat(format);
    }
    return entry->second;
}

}  // namespace

QIcon LoadIconResource(int iconId) {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128}) {
        if (const QImage& image = DecodedOnce(IconPath(iconId, size)); !image.isNull()) {
            icon.addPixmap(QPixmap::fromImage(image));
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
    return DecodedOnce(QStringLiteral(":/res/images/bitmap%1.png").arg(bitmapId),
                       QImage::Format_RGB888);
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
