#include "app/launcher_app.h"

#include <fontconfig/fontconfig.h>
#include <malloc.h>

#include <QApplication>
#include <cstdio>
#include <optional>
#include <thread>
#include <vector>

#include "app/command_line.h"
#include "app/install_layout.h"
#include "app/launcher_dialog.h"
#include "app/termination_close.h"
#include "games/game_drop.h"
#include "install/self_delete.h"
#include "launch/background_facts_source.h"
#include "launch/emulator_facts_cache.h"
#include "platform/desktop_folder.h"
#include "platform/instance_lock.h"
#include "platform/program_file.h"
#include "platform/qt_process_waiter.h"
#include "platform/qt_profile_store.h"
#include "platform/qt_shell.h"
#include "platform/temporary_folder.h"
#include "platform/xrandr_display_mode.h"
#include "res/images.h"
#include "res/resource_ids.h"
#include "ui/dialog_colors.h"
#include "ui/dialog_font.h"
#include "ui/qt_message_box.h"

namespace kestrun {

namespace {

// Where the games and the help page are, and what the window starts with; nothing when the
// game folder cannot be had, which the user has been told.
std::optional<LauncherEnvironment> EnvironmentFor(const std::string& programFile,
                                                  const std::string& temporaryFolder,
                                                  const std::vector<std::string>& arguments,
                                                  const CommandLine& commandLine,
                                                  ProfileStore& profile,
                                                  MessageBoxService& messages) {
    const ProgramFolderRequest request{
        programFile,
        {std::string(build::InstallBinFolder), std::string(build::InstallHelpFolder)},
        HomeFolder(),
        commandLine.folder};
    const ProgramFolderChoice choice = ChooseProgramFolders(request, profile);
    if (!choice.failure.empty()) {
        std::fprintf(stderr, "%s\n", choice.failure.c_str());
        messages.Show({choice.failure, "Kestrun", MessageButtons::Ok, MessageIcon::Stop});
        return std::nullopt;
    }
    if (commandLine.folder && !choice.folders.installed) {
        std::fprintf(stderr,
                     "kestrun: --folder is for an installed Kestrun; this copy keeps to %s\n",
                     choice.folders.program.c_str());
    }
    LauncherEnvironment environment;
    environment.programFile = programFile;
    environment.temporaryFolder = temporaryFolder;
    environment.arguments = arguments;
    environment.folders = choice.folders;
    environment.programIcons = ProgramIconFiles;
    if (commandLine.game) {
        // Read before start-up makes the program folder the current one.
        environment.gameText = GameTextFromArgument(*commandLine.game);
    }
    return environment;
}

void SetUpProcessForTheWindow() {
    // Large buffers (the sorting of a big game list, each snapshot decoded) go back to the
    // system when freed. Left alone, glibc raises this threshold once the first ones are freed
    // and keeps every later one in the heap for good.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // The menu belongs to the window, whose size the template fixes; asking the desktop for a
    // global menu bar would also cost a D-Bus round trip at every start.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

}  // namespace

int CLauncherApp::InitInstance(int& argc, char** argv) {
    const std::string programFile = ProgramFilePath();
    const std::string temporaryFolder = TemporaryFolder();
    const std::vector<std::string> arguments(argv, argv + argc);
    // The uninstaller's copy gets the self-delete protocol's arguments, not a user's.
    CommandLine commandLine;
    if (!RunsFromTemporaryFolder(programFile, temporaryFolder)) {
        commandLine = ParseCommandLine(arguments, std::string(build::Version));
        if (commandLine.action != CommandLine::Action::Run) {
            return AnswerCommandLine(commandLine);
        }
    }
    const std::string baseName = ExecutableBaseName(programFile);
    // Taken before anything is shown; it lives as long as the process.
    const InstanceLock lock(InstanceLockPath(baseName));
    if (lock.GetState() == InstanceLock::State::HeldElsewhere) {
        return 0;
    }

    SetUpProcessForTheWindow();
    // The font configuration is read on a second thread while the application connects to the
    // display; the window's first text needs it.
    std::jthread fontConfiguration([] { FcInit(); });
    QApplication application(argc, argv);
    // Waited for rather than raced: a font asked for before the configuration is in place
    // makes fontconfig read it all again on this thread.
    fontConfiguration.join();
    // Every window, message boxes and menus too, in the dialogs' face: one font to load.
    QApplication::setFont(DialogFont());
    QtMessageBox messages(nullptr);
    QtProfileStore profile(QString::fromStdString(baseName), messages);
    SetDialogBkColor(DialogBackground, DialogText);
    XRandrDisplayMode display;
    QtShell shell;
    QtProcessWaiter waiter;
    BackgroundFactsSource facts(FactsCacheFolder());
    TerminationClose termination;

    const std::optional<LauncherEnvironment> environment =
        EnvironmentFor(programFile, temporaryFolder, arguments, commandLine, profile, messages);
    if (!environment) {
        return 1;
    }

    CLauncherDialog dialog(LauncherServices{profile, messages, display, shell, waiter, facts},
                           *environment);
    dialog.Create();
    if (const std::optional<int> exitCode = dialog.ExitCode()) {
        return *exitCode;
    }
    // Asked to end while start-up still ran: nothing has changed that the close would save.
    if (termination.Requested()) {
        return 0;
    }
    termination.CloseWith(dialog, [&dialog] { dialog.OnCommand(ids::Exit); });
    dialog.DoModal();
    return 0;
}

}  // namespace kestrun
