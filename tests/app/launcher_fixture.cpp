#include "tests/app/launcher_fixture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QThreadPool>
#include <filesystem>
#include <fstream>

#include "platform/paths.h"
#include "platform/temporary_folder.h"
#include "res/images.h"
#include "res/resource_ids.h"
#include "tests/ui/qt_application.h"

namespace kestrun::testing {

LauncherFixture::LauncherFixture() {
    profile.WriteProfileInt(ProfileSection, "Shortcut", 1);
    profile.ClearLog();
    environment.programFile = ProgramFolder() + "kestrun";
    environment.temporaryFolder = TemporaryFolder();
    environment.arguments = {environment.programFile};
    environment.outputStream = errorOutput.Get();
}

CLauncherDialog& LauncherFixture::Show(DisplayModeService& displayService) {
    dialog = std::make_unique<CLauncherDialog>(
        LauncherServices{profile, messages, displayService, shell, waiter, *factsSource},
        environment);
    dialog->Create();
    ShowActive(*dialog);
    return *dialog;
}

std::string LauncherFixture::WriteFile(const std::string& name, const std::string& content) const {
    const std::string path = ProgramFolder() + name;
    std::filesystem::create_directories(FolderOf(path));
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

bool LauncherFixture::EmulatorRan() const {
    return std::filesystem::exists(ProgramFolder() + "record");
}

void LauncherFixture::ForgetRun() const {
    std::filesystem::remove(ProgramFolder() + "record");
}

std::vector<std::string> LauncherFixture::Captions() const {
    std::vector<std::string> captions;
    for (const MessageBoxRequest& shown : messages.Shown()) {
        captions.push_back(shown.caption);
    }
    return captions;
}

std::string LauncherFixture::HistoryTop() const {
    const auto* box = dialog->Item<QComboBox>(ids::GameBox);
    return box->count() > 0 ? box->itemText(0).toStdString() : std::string();
}

std::string LauncherFixture::BoxText() const {
    return dialog->GetDlgItemText(ids::GameBox).toStdString();
}

// Key by key over the whole box text, as the user types it.
void LauncherFixture::TypeGame(const std::string& text) {
    QLineEdit* edit = dialog->Item<QComboBox>(ids::GameBox)->lineEdit();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QString::fromStdString(text));
}

void LauncherFixture::Click(int controlId) {
    dialog->Item<QAbstractButton>(controlId)->click();
}

QLabel& LauncherFixture::Picture() const {
    // Snapshots are decoded on the thread pool and shown through the event loop.
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
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

void LauncherFixture::AddSnapshot(const std::string& name, int width, int height) const {
    const std::string path = WriteFile("snap/" + name + ".png", "");
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(QString::fromStdString(path)));
}

}  // namespace kestrun::testing
