#include "install/help_commands.h"

#include <utility>

namespace kestrun {

void OpenDocument(DesktopShell& shell, MessageBoxService& messages, std::string fileName,
                  std::string folder) {
    if (shell.Open(folder + fileName)) {
        return;
    }
    MessageBoxRequest failure;
    failure.text = std::move(fileName) + " could not be opened.";
    failure.caption = "ERROR";
    failure.buttons = MessageButtons::Ok;
    failure.icon = MessageIcon::Stop;
    messages.Show(failure);
}

bool OnHelpInfo(const std::string& programFolder, DesktopShell& shell,
                MessageBoxService& messages) {
    OnDocumentation(programFolder, shell, messages);
    return true;
}

void OnDocumentation(const std::string& programFolder, DesktopShell& shell,
                     MessageBoxService& messages) {
    OpenDocument(shell, messages, std::string(HelpFileName), programFolder);
}

void OnGetEmulator(DesktopShell& shell, MessageBoxService& messages) {
    OpenDocument(shell, messages, std::string(EmulatorDownloadPage), {});
}

}  // namespace kestrun
