#pragma once

#include <QLabel>
#include <QPixmap>
#include <string>

namespace kestrun {

// The snapshot file decoded as PNG and fitted to the picture area; a null picture when the
// file cannot be read or decoded.
QPixmap LoadSnapshotPicture(const std::string& path, bool fullScreen);

// The picture area takes the size of its picture and keeps its top-left corner; a null
// picture empties it, and the dialog's background shows.
void ShowPicture(QLabel& area, const QPixmap& picture);

}  // namespace kestrun
