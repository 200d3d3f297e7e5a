#include "tests/app/launcher_window_access.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include "platform/paths.h"
#include "res/images.h"
#include "res/resource_ids.h"

namespace kestrun::testing {

std::string LauncherWindowAccess::BoxText() const {
    return dialog->GetDlgItemText(ids::GameBox).toStdString();
}

// Key by key over the whole box text, as the user types it.
void LauncherWindowAccess::TypeGame(const std::string& text) {
    QLineEdit* edit = dialog->Item<QComboBox>(ids::GameBox)->lineEdit();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QString::fromStdString(text));
}

void LauncherWindowAccess::Click(int controlId) {
    dialog->Item<QAbstractButton>(controlId)->click();
}

QLabel& LauncherWindowAccess::Picture() const {
    return *dialog->Item<QLabel>(ids::SnapshotPicture);
}

bool LauncherWindowAccess::ShowsDefaultPicture() const {
    const QImage shown = Picture().pixmap().toImage().convertToFormat(QImage::Format_RGB888);
    return shown == LoadBitmapResource(ids::DefaultSnapshotBitmap);
}

bool LauncherWindowAccess::GameBoxHasFocus() const {
    QWidget* box = dialog->GetDlgItem(ids::GameBox);
    QWidget* focus = dialog->focusWidget();
    return focus == box || box->isAncestorOf(focus);
}

void LauncherWindowAccess::AddSnapshot(const std::string& programFolder, const std::string& name,
                                       int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QDir().mkpath(QString::fromStdString(FolderOf(programFolder + "snap/" + name)));
    ASSERT_TRUE(image.save(QString::fromStdString(programFolder + "snap/" + name + ".png")));
}

}  // namespace kestrun::testing
