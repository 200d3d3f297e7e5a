#include <gtest/gtest.h>

#include "image/qt_dib.h"

namespace kestrun {
namespace {

TEST(ToDeviceBitmap, RowsComeOutTopRowFirstInTheirColours) {
    CDibImage trueColour;
    ASSERT_NE(trueColour.Create(3, 2, 24, FORMAT_PNG), nullptr);
    trueColour.SetPixelColor(0, 0, MakeColorRef(10, 20, 30));     // bottom left
    trueColour.SetPixelColor(2, 1, MakeColorRef(200, 150, 100));  // top right
    ASSERT_TRUE(trueColour.CreateAlphaPlane());                   // all transparent, not shown
    const QImage bitmap = ToDeviceBitmap(trueColour);
    ASSERT_EQ(bitmap.size(), QSize(3, 2));
    EXPECT_EQ(bitmap.pixel(0, 1), qRgb(10, 20, 30));
    EXPECT_EQ(bitmap.pixel(2, 0), qRgb(200, 150, 100));
    EXPECT_EQ(bitmap.pixel(1, 0), qRgb(0, 0, 0));
    for (int bitCount : {1, 4, 8}) {
        CDibImage palette;
        ASSERT_NE(palette.Create(9, 2, bitCount, FORMAT_PNG), nullptr);
        palette.SetPaletteColor(1, 255, 128, 0);
        palette.SetPixelIndex(8, 1, 1);
        EXPECT_EQ(ToDeviceBitmap(palette).pixel(8, 0), qRgb(255, 128, 0)) << bitCount;
        EXPECT_EQ(ToDeviceBitmap(palette).pixel(8, 1), qRgb(0, 0, 0)) << bitCount;
    }
    EXPECT_TRUE(ToDeviceBitmap(CDibImage()).isNull());
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
    EXPECT_TRUE(FromDeviceBitmap(image, QImage()));
    EXPECT_TRUE(image.IsEmpty());
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

    QImage grey(2, 1, QImage::Format_Grayscale8);
    grey.fill(qRgb(90, 90, 90));
    ASSERT_TRUE(FromDeviceBitmap(image, grey));
    EXPECT_EQ(image.GetBitCount(), 24);
    EXPECT_EQ(image.GetPixelColor(1, 0), (RgbQuad{90, 90, 90, 0}));
}

}  // namespace
}  // namespace kestrun
