#include <gtest/gtest.h>

#include "image/dib_qt.h"

namespace kestrun {
namespace {

TEST(ToDeviceBitmap, TrueColourRowsComeOutTopRowFirst) {
    CDibImage image;
    ASSERT_NE(image.Create(3, 2, 24, FORMAT_PNG), nullptr);
    image.SetPixelColor(0, 0, MakeColorRef(10, 20, 30));     // bottom left
    image.SetPixelColor(2, 1, MakeColorRef(200, 150, 100));  // top right
    ASSERT_TRUE(image.CreateAlphaPlane());                   // all transparent, and not shown
    const QImage bitmap = ToDeviceBitmap(image);
    ASSERT_EQ(bitmap.size(), QSize(3, 2));
    EXPECT_EQ(bitmap.pixel(0, 1), qRgb(10, 20, 30));
    EXPECT_EQ(bitmap.pixel(2, 0), qRgb(200, 150, 100));
    EXPECT_EQ(bitmap.pixel(1, 0), qRgb(0, 0, 0));
}

TEST(ToDeviceBitmap, PaletteImagesShowTheirPaletteColours) {
    for (int bitCount : {1, 4, 8}) {
        CDibImage image;
        ASSERT_NE(image.Create(9, 2, bitCount, FORMAT_PNG), nullptr);
        image.SetPaletteColor(1, 255, 128, 0);
        image.SetPixelIndex(8, 1, 1);
        const QImage bitmap = ToDeviceBitmap(image);
        EXPECT_EQ(bitmap.pixel(8, 0), qRgb(255, 128, 0)) << bitCount;
        EXPECT_EQ(bitmap.pixel(8, 1), qRgb(0, 0, 0)) << bitCount;
    }
}

TEST(FromDeviceBitmap, TrueColourRoundTrips) {
    QImage bitmap(5, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            bitmap.setPixel(x, y, qRgb(40 * x, 80 * y, 7 * x + y));
        }
    }
    CDibImage image(FORMAT_PNG);
    ASSERT_TRUE(FromDeviceBitmap(image, bitmap));
    EXPECT_EQ(image.GetBitCount(), 24);
    EXPECT_EQ(image.GetFormat(), FORMAT_BMP);
    EXPECT_EQ(image.GetPixelColor(4, 0), (RgbQuad{30, 160, 160, 0}));  // bitmap row 2
    EXPECT_EQ(ToDeviceBitmap(image), bitmap.convertToFormat(QImage::Format_RGB32));
}

TEST(FromDeviceBitmap, IndexedBitmapsKeepTheirPalette) {
    QImage indexed(4, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(1, 2, 3), qRgb(250, 251, 252)});
    indexed.fill(0);
    indexed.setPixel(3, 0, 2);
    CDibImage image;
    ASSERT_TRUE(FromDeviceBitmap(image, indexed));
    EXPECT_EQ(image.GetBitCount(), 8);
    EXPECT_EQ(image.GetPixelIndex(3, 1), 2);
    EXPECT_EQ(image.GetPaletteColor(2), (RgbQuad{252, 251, 250, 0}));

    QImage mono(10, 1, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    mono.setPixel(9, 0, 1);
    ASSERT_TRUE(FromDeviceBitmap(image, mono));
    EXPECT_EQ(image.GetBitCount(), 1);
    EXPECT_EQ(image.GetPixelIndex(9, 0), 1);
    EXPECT_EQ(image.GetPixelIndex(8, 0), 0);

    QImage grey(2, 1, QImage::Format_Grayscale8);
    grey.fill(qRgb(90, 90, 90));
    ASSERT_TRUE(FromDeviceBitmap(image, grey));
    EXPECT_EQ(image.GetBitCount(), 24);
    EXPECT_EQ(image.GetPixelColor(1, 0), (RgbQuad{90, 90, 90, 0}));
}

TEST(DeviceBitmap, EmptyImageAndNullBitmapConvertToEachOther) {
    EXPECT_TRUE(ToDeviceBitmap(CDibImage()).isNull());
    CDibImage image;
    image.Create(2, 2, 24, FORMAT_BMP);
    EXPECT_TRUE(FromDeviceBitmap(image, QImage()));
    EXPECT_TRUE(image.IsEmpty());
}

}  // namespace
}  // namespace kestrun
