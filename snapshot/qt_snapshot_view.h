#pragma once

#include <QLabel>
#include <QPixmap>
#include <memory>
#include <string>

namespace kestrun {

// The snapshot file decoded as PNG and fitted to the picture area; a null image when the file
// cannot be read or decoded. Safe on any thread.
QImage LoadSnapshotImage(const std::string& path, bool fullScreen);

// The picture area takes the size of its picture and keeps its top-left corner; a null
// picture empties it, and the dialog's background shows.
void ShowPicture(QLabel& area, const QPixmap& picture);

// Shows snapshots in a picture area, decoded and fitted on the thread pool so that a large or
// slow file never holds up the window. Only the newest request reaches the area: a picture
// still being decoded when another is asked for is dropped, as is one that comes back after
// the loader is gone.
class SnapshotPictureLoader {
  public:
    explicit SnapshotPictureLoader(QLabel& area);
    ~SnapshotPictureLoader();
    SnapshotPictureLoader(const SnapshotPictureLoader&) = delete;
    SnapshotPictureLoader& operator=(const SnapshotPictureLoader&) = delete;

    void ShowFile(const std::string& path, bool fullScreen);
    void ShowNow(const QPixmap& picture);

  private:
    // Read and written on the window's thread only; decoding threads just carry it back there.
    struct Target {
        QLabel* area;
        unsigned latestRequest = 0;
    };
    std::shared_ptr<Target> target_;
};

}  // namespace kestrun
