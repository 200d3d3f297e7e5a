#include "image/qt_dib.h"

#include <cstring>

namespace kestrun {

namespace {

QRgb ToQRgb(RgbQuad colour) {
    return qRgb(colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
}

}  // namespace

QImage ToDeviceBitmap(const CDibImage& image) {
    if (image.IsEmpty()) {
        return {};
    }
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    QImage bitmap(width, height, QImage::Format_RGB32);
    if (bitmap.isNull()) {
        return {};
    }
    const bool trueColour = image.GetBitCount() == 24;
    for (int y = 0; y < height; ++y) {
        const int dibRow = height - 1 - y;
        auto* line = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        const std::uint8_t* pixels = image.GetBits() + std::size_t{image.GetRowBytes()} * dibRow;
        for (int x = 0; x < width; ++x) {
            line[x] = trueColour ? qRgb(pixels[3 * x + 2], pixels[3 * x + 1], pixels[3 * x])
                                 : ToQRgb(image.GetPaletteColor(image.GetPixelIndex(x, dibRow)));
        }
    }
    return bitmap;
}

bool FromDeviceBitmap(CDibImage& image, const QImage& bitmap) {
    if (bitmap.isNull()) {
        // A refused size leaves the image empty.
        image.Create(0, 0, 0, FORMAT_BMP);
        return true;
    }
    const int width = bitmap.width();
    const int height = bitmap.height();
    // Grey and alpha-only formats are 8 bits deep too, but without a palette.
    const bool indexed = bitmap.format() == QImage::Format_Indexed8 ||
                         bitmap.format() == QImage::Format_Mono ||
                         bitmap.format() == QImage::Format_MonoLSB;
    if (image.Create(width, height, indexed ? bitmap.depth() : 24, FORMAT_BMP) == nullptr) {
        image.SetErrorText(ImageErrorText(DeviceBitmapFailed));
        return false;
    }
    if (indexed) {
        const QList<QRgb> colours = bitmap.colorTable();
        for (int i = 0; i < colours.size(); ++i) {
            image.SetPaletteColor(i, qRed(colours[i]), qGreen(colours[i]), qBlue(colours[i]));
        }
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.SetPixelIndex(x, height - 1 - y, bitmap.pixelIndex(x, y));
            }
        }
        return true;
    }
    const QImage rgb = bitmap.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        std::uint8_t* pixels =
            image.GetBits() + std::size_t{image.GetRowBytes()} * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            pixels[3 * x] = static_cast<std::uint8_t>(qBlue(line[x]));
            pixels[3 * x + 1] = static_cast<std::uint8_t>(qGreen(line[x]));
            pixels[3 * x + 2] = static_cast<std::uint8_t>(qRed(line[x]));
        }
    }
    return true;
}

}  // namespace kestrun
