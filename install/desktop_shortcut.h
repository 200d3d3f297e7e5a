#pragma once

#include <string>
#include <string_view>

#include "platform/message_box.h"

namespace kestrun {

// The shortcut's name below the desktop folder (with its own leading separator) and its
// description, as start-up offers it.
inline constexpr std::string_view ShortcutLinkName = "/Kestrun";
inline constexpr std::string_view ShortcutDescription = "The fastest frontend in the web";
// The profile key that says the shortcut question has been answered (1) or must be asked (0).
inline constexpr std::string_view ShortcutKey = "Shortcut";

// The desktop entry file of a link name: desktop folder + name + ".desktop"; empty when the
// desktop folder is unknown.
std::string DesktopShortcutPath(std::string_view linkName);

// The content of a desktop entry that starts the target.
std::string DesktopEntryText(std::string_view target, std::string_view description);

// Writes the desktop entry for the target, executable, replacing any earlier one at once.
// Returns 0, or the errno of the failure after telling the user.
int CreateDesktopShortcut(const std::string& target, const std::string& linkName,
                          const std::string& description, MessageBoxService& messages);

}  // namespace kestrun
