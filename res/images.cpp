#include "res/images.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QResource>
#include <algorithm>
#include <cstdio>
#include <map>

#include "image/dib_image.h"
#include "image/image_file.h"
#include "image/qt_dib.h"
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

constexpr int IconSizes[] = {16, 32, 48, 64, 128};
constexpr auto PicturesFolder = ":/res/images/";

QString IconPath(int iconId, int size) {
    return QStringLiteral(":/res/images/icon%1-%2.png").arg(iconId).arg(size);
}

QString BitmapPath(int bitmapId) {
    return QStringLiteral(":/res/images/bitmap%1.png").arg(bitmapId);
}

// Read by the program's own image library, which makes no Qt object: this part may run on any
// thread, even before the application exists.
bool DecodePng(const QByteArray& bytes, CDibImage& image) {
    std::FILE* stream = bytes.isEmpty()
                            ? nullptr
                            : ::fmemopen(const_cast<char*>(bytes.constData()), bytes.size(), "rb");
    if (stream == nullptr) {
        return false;
    }
    CImageFile file(stream);
    const bool decoded = image.Decode(&file, FORMAT_PNG);
    std::fclose(stream);
    return decoded;
}

// Bitmaps are kept at 24 bits a pixel, icons with their alpha.
QImage ToPicture(const QString& path, const CDibImage& image) {
    const QImage picture = ToDeviceImageWithAlpha(image);
    return path.startsWith(QLatin1String(PicturesFolder) + QLatin1String("bitmap"))
               ? picture.convertToFormat(QImage::Format_RGB888)
               : picture;
}

// Each picture is decoded once and shared from then on: windows and buttons ask for the same few
// again and again. A missing one stays null.
std::map<QString, QImage>& DecodedPictures() {
    static std::map<QString, QImage> decoded;
    return decoded;
}

const QImage& DecodedOnce(const QString& path) {
    EnsurePicturesRegistered();
    auto [entry, isNew] = DecodedPictures().try_emplace(path);
    if (CDibImage image; isNew && DecodePng(QResource(path).uncompressedData(), image)) {
        entry->second = ToPicture(path, image);
    }
    return entry->second;
}

bool IsPictureShown(const QString& name) {
    const QByteArray latin1 = name.toLatin1();
    int id = 0;
    int size = 0;
    return std::sscanf(latin1.constData(), "bitmap%d.png", &id) == 1 ||
           (std::sscanf(latin1.constData(), "icon%d-%d.png", &id, &size) == 2 &&
            std::ranges::find(IconSizes, size) != std::end(IconSizes));
}

}  // namespace

PicturesDecodedAhead::PicturesDecodedAhead() {
    EnsurePicturesRegistered();
    const QString folder = QString::fromLatin1(PicturesFolder);
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        if (IsPictureShown(name)) {
            Picture& picture = pictures_.emplace_back();
            picture.path = folder + name;
            picture.bytes = QResource(picture.path).uncompressedData();
        }
    }
    worker_ = std::jthread([this] {
        for (Picture& picture : pictures_) {
            picture.decoded = DecodePng(picture.bytes, picture.image);
        }
    });
}

void PicturesDecodedAhead::Finish() {
    if (!worker_.joinable()) {
        return;
    }
    worker_.join();
    for (const Picture& picture : pictures_) {
        DecodedPictures().try_emplace(
            picture.path, picture.decoded ? ToPicture(picture.path, picture.image) : QImage());
    }
    pictures_.clear();
}

QIcon LoadIconResource(int iconId) {
    QIcon icon;
    for (const int size : IconSizes) {
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
    return DecodedOnce(BitmapPath(bitmapId));
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
