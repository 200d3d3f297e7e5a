#include "app/launcher_app.h"

#include <QApplication>
#include <vector>

#include "app/launcher_dialog.h"
#include "platform/instance_lock.h"
#include "platform/program_file.h"
#include "platform/qt_process_waiter.h"
#include "platform/qt_profile_store.h"
#include "platform/qt_shell.h"
#include "platform/temporary_folder.h"
#include "platform/xrandr_display_mode.h"
#include "ui/dialog_colors.h"
#include "ui/qt_message_box.h"

namespace kestrun {

int CLauncherApp::InitInstance(int& argc, char** argv) {
    const std::string programFile = ProgramFilePath();
    const std::string baseName = ExecutableBaseName(programFile);
    // Taken before anything is shown; it lives as long as the process.
    const InstanceLock lock(InstanceLockPath(baseName));
    if (lock.GetState() == InstanceLock::State::HeldElsewhere) {
        return 0;
    }

    QApplication application(argc, argv);
    QtMessageBox messages(nullptr);
    QtProfileStore profile(QString::fromStdString(baseName), messages);
    SetDialogBkColor(DialogBackground, DialogText);
    XRandrDisplayMode display;
    QtShell shell;
    QtProcessWaiter waiter;

    LauncherEnvironment environment;
    environment.programFile = programFile;
    environment.temporaryFolder = TemporaryFolder();
    environment.arguments.assign(argv, argv + argc);

    CLauncherDialog dialog(LauncherServices{profile, messages, display, shell, waiter},
                           std::move(environment));
    dialog.Create();
    if (const std::optional<int> exitCode = dialog.ExitCode()) {
        return *exitCode;
    }
    dialog.DoModal();
    return 0;
}

}  // namespace kestrun
