#include "tests/app/launcher_run_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <filesystem>

#include "platform/temporary_folder.h"
#include "res/resource_ids.h"
#include "tests/ui/qt_application.h"

namespace kestrun::testing {

LauncherRunTest::LauncherRunTest() : errorStream_(std::tmpfile()) {
    profile.WriteProfileInt(ProfileSection, "Shortcut", 1);
}

LauncherRunTest::~LauncherRunTest() {
    dialog.reset();
    if (errorStream_ != nullptr) {
        std::fclose(errorStream_);
    }
}

CLauncherDialog& LauncherRunTest::Show(DisplayModeService& displayService) {
    LauncherEnvironment environment;
    environment.programFile = ProgramFolder() + "kestrun";
    environment.temporaryFolder = TemporaryFolder();
    environment.arguments = {environment.programFile};
    environment.outputStream = errorStream_;
    dialog = std::make_unique<CLauncherDialog>(
        LauncherServices{profile, messages, displayService, shell}, environment);
    ShowActive(*dialog);
    return *dialog;
}

void LauncherRunTest::TypeGame(const std::string& text) {
    dialog->SetDlgItemText(ids::GameBox, QString::fromStdString(text));
}

void LauncherRunTest::SetChecked(int controlId, bool checked) {
    dialog->Item<QAbstractButton>(controlId)->setChecked(checked);
}

void LauncherRunTest::Click(int controlId) {
    dialog->Item<QAbstractButton>(controlId)->click();
}

bool LauncherRunTest::EmulatorRan() const {
    return std::filesystem::exists(ProgramFolder() + "record");
}

void LauncherRunTest::ForgetRun() const {
    std::filesystem::remove(ProgramFolder() + "record");
}

std::string LauncherRunTest::ErrorOutput() {
    std::fflush(errorStream_);
    std::rewind(errorStream_);
    std::string content;
    char chunk[4096];
    while (const std::size_t count = std::fread(chunk, 1, sizeof chunk, errorStream_)) {
        content.append(chunk, count);
    }
    return content;
}

std::vector<std::string> LauncherRunTest::Captions() const {
    std::vector<std::string> captions;
    for (const MessageBoxRequest& shown : messages.Shown()) {
        captions.push_back(shown.caption);
    }
    return captions;
}

std::string LauncherRunTest::HistoryTop() const {
    const auto* box = dialog->Item<QComboBox>(ids::GameBox);
    return box->count() > 0 ? box->itemText(0).toStdString() : std::string();
}

bool LauncherRunTest::GameBoxHasFocus() const {
    QWidget* box = dialog->GetDlgItem(ids::GameBox);
    QWidget* focus = dialog->focusWidget();
    return focus == box || box->isAncestorOf(focus);
}

}  // namespace kestrun::testing
