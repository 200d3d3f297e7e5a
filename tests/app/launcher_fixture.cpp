#include "tests/app/launcher_fixture.h"

#include <QPushButton>

#include "platform/temporary_folder.h"
#include "res/images.h"
#include "res/resource_ids.h"
#include "tests/ui/qt_application.h"

namespace kestrun::testing {

LauncherFixture::LauncherFixture() {
    folder.WriteFile("mame.exe");
    profile.WriteProfileInt(ProfileSection, "Shortcut", 1);
    profile.ClearLog();
    environment.programFile = folder.Path() + "kestrun";
    environment.temporaryFolder = TemporaryFolder();
    environment.arguments = {environment.programFile};
}

CLauncherDialog& LauncherFixture::Create() {
    dialog = std::make_unique<CLauncherDialog>(LauncherServices{profile, messages, display, shell},
                                               environment);
    dialog->Create();
    return *dialog;
}

CLauncherDialog& LauncherFixture::Show() {
    Create();
    ShowActive(*dialog);
    return *dialog;
}

void LauncherFixture::AddRomSet(const std::string& name) const {
    folder.WriteFile("roms/" + name + ".zip", "PK");
}

void LauncherFixture::AddSnapshot(const std::string& name, int width, int height) const {
    folder.MakeFolder("snap");
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(QString::fromStdString(folder.Path() + "snap/" + name + ".png")));
}

std::string LauncherFixture::BoxText() const {
    return dialog->GetDlgItemText(ids::GameBox).toStdString();
}

void LauncherFixture::TypeGame(const std::string& text) {
    dialog->SetDlgItemText(ids::GameBox, QString::fromStdString(text));
}

QLabel& LauncherFixture::Picture() const {
    return *dialog->Item<QLabel>(ids::SnapshotPicture);
}

bool LauncherFixture::ShowsDefaultPicture() const {
    const QImage shown = Picture().pixmap().toImage().convertToFormat(QImage::Format_RGB888);
    return shown == LoadBitmapResource(ids::DefaultSnapshotBitmap);
}

bool LauncherFixture::GameBoxHasFocus() const {
    QWidget* box = dialog->GetDlgItem(ids::GameBox);
    QWidget* focus = dialog->focusWidget();
    return focus == box || box->isAncestorOf(focus);
}

void LauncherFixture::Exit() {
    dialog->Item<QPushButton>(ids::Exit)->click();
}

}  // namespace kestrun::testing
