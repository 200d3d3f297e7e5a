#include "app/launcher_app.h"

#include <fontconfig/fontconfig.h>
#include <malloc.h>

#include <QApplication>
#include <thread>
#include <vector>

#include "app/launcher_dialog.h"
#include "platform/instance_lock.h"
#include "platform/paths.h"
#include "platform/program_file.h"
#include "platform/qt_profile_store.h"
#include "platform/qt_shell.h"
#include "platform/temporary_folder.h"
#include "platform/xrandr_display_mode.h"
#include "ui/dialog.h"
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

    // Large buffers (the sorting of a big game list, each snapshot decoded) go back to the
    // system when freed. Left alone, glibc raises this threshold once the first ones are freed
    // and keeps every later one in the heap for good.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // The menu belongs to the window, whose size the template fixes; asking the desktop for a
    // global menu bar would also cost a D-Bus round trip at every start.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // The font configuration is read on a second thread while the application connects to the
    // display; the window's first text needs it.
    std::jthread fontConfiguration([] { FcInit(); });
    QApplication application(argc, argv);
    // Every window, message boxes and menus too, in the dialogs' face: one font to load.
    QApplication::setFont(DialogFont());
    QtProfileStore profile(QString::fromStdString(baseName));
    SetDialogBkColor(DialogBackground, DialogText);
    QtMessageBox messages(nullptr);
    XRandrDisplayMode display;
    QtShell shell;

    LauncherEnvironment environment;
    environment.programFile = programFile;
    environment.temporaryFolder = TemporaryFolder();
    environment.arguments.assign(argv, argv + argc);

    fontConfiguration.join();
    CLauncherDialog dialog(LauncherServices{profile, messages, display, shell},
                           std::move(environment));
    dialog.Create();
    if (const std::optional<int> exitCode = dialog.ExitCode()) {
        return *exitCode;
    }
    dialog.DoModal();
    return 0;
}

}  // namespace kestrun
