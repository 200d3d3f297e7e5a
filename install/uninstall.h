#pragma once

#include <functional>
#include <string>

#include "platform/message_box.h"
#include "platform/profile_store.h"

namespace kestrun {

// What uninstall does to the running process, apart from the files and the profile.
struct UninstallEnvironment {
    std::string programFolder;  // ends with a separator
    // The package manager owns an installed program's files: only it removes them.
    bool installed = false;
    std::function<void()> startSelfDelete;  // the starting side of the self-delete protocol
    std::function<void(int)> endProcess;    // ends the process with the exit code
};

// The environment of the running program: its own file is deleted after it ends, and the
// process ends with exit().
UninstallEnvironment ProcessUninstallEnvironment(std::string programFolder);

// Asks for confirmation; on Yes removes the desktop shortcut and the help file, sets "Shortcut"
// to 0, starts the self-delete protocol and ends the process with exit code 0. Nothing else is
// touched. Returns only when the user declines (or when endProcess returns).
// An installed program says how to remove the package instead, and on Yes removes only the
// desktop shortcut and sets "Shortcut" to 0; it goes on running.
void UninstallProgram(MessageBoxService& messages, ProfileStore& profile,
                      const UninstallEnvironment& environment);

}  // namespace kestrun
