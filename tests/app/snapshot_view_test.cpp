#include "snapshot/qt_snapshot_view.h"

#include <gtest/gtest.h>

#include <QImage>

#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

struct FitCase {
    QSize file;
    QSize window;      // outside the launcher's full-screen mode
    QSize fullScreen;  // inside it
};

// Decoded, fitted and converted as the picture area gets it.
TEST(SnapshotViewTest, EveryFittingExampleReachesThePictureArea) {
    const FitCase cases[] = {
        {{232, 263}, {232, 263}, {232, 263}}, {{224, 256}, {224, 256}, {224, 256}},
        {{320, 240}, {232, 232}, {232, 232}}, {{640, 480}, {232, 232}, {232, 232}},
        {{288, 224}, {232, 232}, {232, 232}}, {{233, 100}, {232, 232}, {232, 232}},
        {{256, 224}, {232, 203}, {232, 203}}, {{224, 288}, {204, 263}, {232, 298}},
        {{232, 264}, {231, 263}, {232, 264}}, {{240, 320}, {232, 276}, {232, 309}},
        {{100, 400}, {232, 263}, {232, 928}},
    };
    testing::TempFolder folder;
    for (const FitCase& c : cases) {
        const std::string path = folder.Path() + "snap.png";
        QImage image(c.file, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(QString::fromStdString(path)));
        EXPECT_EQ(LoadSnapshotPicture(path, false).size(), c.window)
            << c.file.width() << "x" << c.file.height();
        EXPECT_EQ(LoadSnapshotPicture(path, true).size(), c.fullScreen)
            << c.file.width() << "x" << c.file.height();
    }
}

TEST(SnapshotViewTest, ThePictureAreaTakesThePicturesSizeAndEmptiesForNone) {
    QLabel area;
    area.resize(232, 263);
    ShowPicture(area, QPixmap(100, 40));
    EXPECT_EQ(area.size(), QSize(100, 40));
    ShowPicture(area, LoadSnapshotPicture("/nonexistent/snap.png", false));
    EXPECT_TRUE(area.pixmap().isNull());
    EXPECT_EQ(area.size(), QSize(0, 0));
}

}  // namespace
}  // namespace kestrun
