#pragma once

#include <string>
#include <string_view>

#include "platform/desktop_shell.h"
#include "platform/message_box.h"

namespace kestrun {

// The help page, kept beside the program.
inline constexpr std::string_view HelpFileName = "kestrun.htm";
inline constexpr std::string_view EmulatorDownloadPage = "https://www.mamedev.org/release.html";

// Opens folder + file name on the desktop; when that fails, says which file could not be opened.
void OpenDocument(DesktopShell& shell, MessageBoxService& messages, std::string fileName,
                  std::string folder);

// F1 in the main window. Always answers that the help request was handled.
bool OnHelpInfo(const std::string& programFolder, DesktopShell& shell, MessageBoxService& messages);
// Help menu "Documentation" and the About box's "View Help".
void OnDocumentation(const std::string& programFolder, DesktopShell& shell,
                     MessageBoxService& messages);
// Help menu "Get MAME...": the emulator's download page in the browser.
void OnGetEmulator(DesktopShell& shell, MessageBoxService& messages);

}  // namespace kestrun
