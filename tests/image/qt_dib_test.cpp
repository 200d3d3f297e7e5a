#include <gtest/gtest.h>

#include "image/qt_dib.h"

namespace kestrun {
namespace {

// Rows are stored bottom-up and blue first; the alpha plane is not shown.
TEST(DeviceBitmap, RoundTrips) {
    QImage bitmap(5, 3, QImage::Format_RGB32);
    for (int i = 0; i < 15; ++i) {
        bitmap.setPixel(i % 5, i / 5, qRgb(40 * (i % 5), 80 * (i / 5), i));
    }
    CDibImage image(FORMAT_PNG);
    ASSERT_TRUE(FromDeviceBitmap(image, bitmap));
    EXPECT_EQ(image.GetBitCount(), 24);
    EXPECT_EQ(image.GetFormat(), FORMAT_BMP);
    EXPECT_EQ(image.GetPixelColor(4, 0), (RgbQuad{14, 160, 160, 0}));  // bitmap row 2
    ASSERT_TRUE(image.CreateAlphaPlane());
    EXPECT_EQ(ToDeviceBitmap(image), bitmap);
    EXPECT_TRUE(FromDeviceBitmap(image, QImage()));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_TRUE(ToDeviceBitmap(image).isNull());
    // Indexed bitmaps keep their palette; grey ones, 8 bits deep without one, become true colour.
    QImage indexed(9, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(1, 2, 3), qRgb(255, 128, 0)});
    indexed.fill(0);
    indexed.setPixel(8, 0, 2);
    ASSERT_TRUE(FromDeviceBitmap(image, indexed));
    EXPECT_EQ(image.GetBitCount(), 8);
    EXPECT_EQ(image.GetPixelIndex(8, 1), 2);
    EXPECT_EQ(image.GetPaletteColor(2), (RgbQuad{0, 128, 255, 0}));
    EXPECT_EQ(ToDeviceBitmap(image), indexed.convertToFormat(QImage::Format_RGB32));
    QImage grey(2, 1, QImage::Format_Grayscale8);
    grey.fill(qRgb(90, 90, 90));
    ASSERT_TRUE(FromDeviceBitmap(image, grey));
    EXPECT_EQ(image.GetBitCount(), 24);
    EXPECT_EQ(image.GetPixelColor(1, 0), (RgbQuad{90, 90, 90, 0}));
}

}  // namespace
}  // namespace kestrun
