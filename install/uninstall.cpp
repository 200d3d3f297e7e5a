#include "install/uninstall.h"

#include <cstdlib>
#include <utility>

#include "install/desktop_shortcut.h"
#include "install/self_delete.h"
#include "install/shell_delete.h"
#include "platform/program_file.h"
#include "platform/temporary_folder.h"

namespace kestrun {

UninstallEnvironment ProcessUninstallEnvironment(std::string programFolder) {
    UninstallEnvironment environment;
    environment.programFolder = std::move(programFolder);
    environment.startSelfDelete = [] { StartSelfDelete(ProgramFilePath(), TemporaryFolder()); };
    environment.endProcess = [](int exitCode) { std::exit(exitCode); };
    return environment;
}

namespace {

void UninstallPackagedProgram(MessageBoxService& messages, ProfileStore& profile) {
    const MessageBoxRequest question{
        "Kestrun was installed as a package, which only the package manager removes: run\n\n"
        "    sudo apt remove kestrun\n\n"
        "Remove the desktop shortcut now? Your games, snapshots and settings stay.",
        "Uninstall", MessageButtons::YesNo, MessageIcon::Information};
    if (messages.Show(question) != MessageResult::Yes) {
        return;
    }
    CShellDelete(messages).DeletePath(DesktopShortcutPath(ShortcutLinkName), true);
    profile.WriteProfileInt(ProfileSection, "Shortcut", 0);
}

}  // namespace

void UninstallProgram(MessageBoxService& messages, ProfileStore& profile,
                      const UninstallEnvironment& environment) {
    if (environment.installed) {
        UninstallPackagedProgram(messages, profile);
        return;
    }
    MessageBoxRequest question;
    question.text = "Are you sure you want to completely remove Kestrun and all of its components?";
    question.caption = "Confirm File Deletion";
    question.buttons = MessageButtons::YesNo;
    question.icon = MessageIcon::Question;
    if (messages.Show(question) != MessageResult::Yes) {
        return;
    }
    CShellDelete shell(messages);
    shell.DeletePath(DesktopShortcutPath(ShortcutLinkName), true);
    RemoveUserIcon(ProgramIconName);
    profile.WriteProfileInt(ProfileSection, ShortcutKey, 0);
    shell.DeletePath(environment.programFolder + "kestrun.htm", true);
    environment.startSelfDelete();
    environment.endProcess(0);
}

}  // namespace kestrun
