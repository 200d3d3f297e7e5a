#include "app/launcher_app.h"

#include <QApplication>
#include <vector>

#include "app/launcher_dialog.h"
#include "launch/background_facts_source.h"
#include "launch/emulator_facts_cache.h"
#include "platform/instance_lock.h"
#include "platform/paths.h"
#include "platform/program_file.h"
#include "platform/qt_profile_store.h"
#include "platform/qt_shell.h"
#include "platform/temporary_folder.h"
#include "platform/xrandr_display_mode.h"
#include "ui/dialog_colors.h"
#include "ui/qt_message_box.h"

namespace kestrun {

std::string ExecutableBaseName(std::string_view programFile) {
    constexpr std::string_view DeletedMark = " (deleted)";
    std::string_view name = BaseNameOf(programFile);
    if (name.ends_with(DeletedMark)) {
        name.remove_suffix(DeletedMark.size());
    }
    return std::string(name.substr(0, name.rfind('.')));
}

int CLauncherApp::InitInstance(int& argc, char** argv) {
    const std::string programFile = ProgramFilePath();
    const std::string baseName = ExecutableBaseName(programFile);
    // Taken before anything is shown; it lives as long as the process.
    const InstanceLock lock(InstanceLockPath(baseName));
    if (lock.GetState() == InstanceLock::State::HeldElsewhere) {
        return 0;
    }

    QApplication application(argc, argv);
    QtProfileStore profile(QString::fromStdString(baseName));
    SetDialogBkColor(DialogBackground, DialogText);
    QtMessageBox messages(nullptr);
    XRandrDisplayMode display;
    QtShell shell;
    BackgroundFactsSource facts(FactsCacheFolder());

    LauncherEnvironment environment;
    environment.programFile = programFile;
    environment.temporaryFolder = TemporaryFolder();
    environment.arguments.assign(argv, argv + argc);

    CLauncherDialog dialog(LauncherServices{profile, messages, display, shell, facts},
                           std::move(environment));
    dialog.Create();
    if (const std::optional<int> exitCode = dialog.ExitCode()) {
        return *exitCode;
    }
    dialog.DoModal();
    return 0;
}

}  // namespace kestrun
