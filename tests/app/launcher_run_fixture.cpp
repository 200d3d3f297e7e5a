#include "tests/app/launcher_run_fixture.h"

#include <QComboBox>
#include <filesystem>

#include "platform/temporary_folder.h"
#include "res/resource_ids.h"
#include "tests/ui/qt_application.h"

namespace kestrun::testing {

LauncherRunTest::LauncherRunTest() {
    profile.WriteProfileInt(ProfileSection, "Shortcut", 1);
}

CLauncherDialog& LauncherRunTest::Show(DisplayModeService& displayService) {
    LauncherEnvironment environment;
    environment.programFile = ProgramFolder() + "kestrun";
    environment.temporaryFolder = TemporaryFolder();
    environment.arguments = {environment.programFile};
    environment.outputStream = errorOutput.Get();
    dialog = std::make_unique<CLauncherDialog>(
        LauncherServices{profile, messages, displayService, shell, waiter, facts}, environment);
    ShowActive(*dialog);
    return *dialog;
}

bool LauncherRunTest::EmulatorRan() const {
    return std::filesystem::exists(ProgramFolder() + "record");
}

void LauncherRunTest::ForgetRun() const {
    std::filesystem::remove(ProgramFolder() + "record");
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

}  // namespace kestrun::testing
