#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QThreadPool>
#include <optional>

#include "snapshot/qt_snapshot_view.h"
#include "tests/support/png_writer.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

// Decoding begins from the event loop and its picture comes back through it.
void LetDecodingFinish() {
    QCoreApplication::processEvents();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

// A decode still under way when a newer picture is shown, or when the loader goes, never
// reaches the area.
TEST(SnapshotPictureLoader, OnlyTheNewestPictureReachesTheArea) {
    const testing::TempFolder folder;
    testing::PngPicture png;
    png.width = 64;
    png.height = 48;
    png.rows.assign(48, std::vector<png_byte>(64, 200));
    const std::string file = folder.WriteFile("snap/game.png", testing::EncodePng(png));
    const QSize decoded = LoadSnapshotImage(file, false).size();
    ASSERT_FALSE(decoded.isEmpty());
    QLabel area;
    std::optional<SnapshotPictureLoader> loader(area);

    // Each decode is under way (begun from the event loop) before it is overtaken.
    loader->ShowFile(file, false);
    QCoreApplication::processEvents();
    loader->ShowNow(QPixmap(3, 5));
    LetDecodingFinish();
    EXPECT_EQ(area.size(), QSize(3, 5));
    loader->ShowFile(file, false);
    LetDecodingFinish();
    EXPECT_EQ(area.size(), decoded);
    loader->ShowNow(QPixmap(3, 5));
    loader->ShowFile(file, false);
    QCoreApplication::processEvents();
    loader.reset();
    LetDecodingFinish();
    EXPECT_EQ(area.size(), QSize(3, 5));
}

}  // namespace
}  // namespace kestrun
