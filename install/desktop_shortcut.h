#pragma once

#include <span>
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

// The program's icon by its name in the desktop's icon theme: the installed package puts it in
// the system's hicolor theme, a copy run from its own folder in the user's.
inline constexpr std::string_view ProgramIconName = "org.example.kestrun";
// The sizes of the icon that a copy run from its own folder puts in the user's theme.
inline constexpr int UserIconSizes[] = {48, 64, 128};

struct IconFile {
    int size = 0;
    std::string png;
};

// One size of a named icon in the user's hicolor theme; empty when the data folder is unknown.
std::string UserIconPath(std::string_view name, int size);
// Writes every size of the icon into the user's theme. Returns 0, or the errno of the first
// failure.
int InstallUserIcon(std::string_view name, std::span<const IconFile> files);
// Removes the UserIconSizes of the icon from the user's theme.
void RemoveUserIcon(std::string_view name);

// The desktop entry file of a link name: desktop folder + name + ".desktop"; empty when the
// desktop folder is unknown.
std::string DesktopShortcutPath(std::string_view linkName);

// The content of a desktop entry that starts the target, shown with the program's icon.
std::string DesktopEntryText(std::string_view target, std::string_view description);

// Writes the desktop entry for the target, executable, replacing any earlier one at once.
// Returns 0, or the errno of the failure after telling the user.
int CreateDesktopShortcut(const std::string& target, const std::string& linkName,
                          const std::string& description, MessageBoxService& messages);

}  // namespace kestrun
