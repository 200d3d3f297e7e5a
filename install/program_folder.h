#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/message_box.h"
#include "platform/profile_store.h"

namespace kestrun {

// Where the build installs the program: recorded when the build is configured.
struct InstallLayout {
    std::string binFolder;   // the folder an installed program file stands in
    std::string helpFolder;  // the folder of the installed help page
};

// The folders the program works in. A copy run from its own folder keeps everything there;
// an installed program keeps the user's games in a folder of the user's own.
struct ProgramFolders {
    std::string program;  // ROM sets, snapshots, the emulator; ends with a separator
    std::string help;     // the help page's folder; ends with a separator
    bool installed = false;
    // The game folders were missing and have just been made: the user's first start.
    bool madeGameFolders = false;
};

// The profile key under which an installed program remembers the folder given with --folder.
inline constexpr std::string_view ProgramFolderKey = "ProgramFolder";
// The user's folder of an installed program, below the home folder: where Debian's MAME
// looks for ROM sets and writes snapshots.
inline constexpr std::string_view DefaultGameFolderName = "mame/";

// True when the program file stands in the install layout's bin folder (compared in canonical
// form). Whether that folder is writable plays no part: root can write /usr/bin.
bool IsInstalledProgram(std::string_view programFile, const InstallLayout& layout);

// Everything in the program file's own folder.
ProgramFolders OwnProgramFolders(std::string_view programFile);

struct ProgramFolderRequest {
    std::string programFile;
    InstallLayout layout;
    std::string home;                         // without a final separator; may be empty
    std::optional<std::string> folderOption;  // --folder, as given (relative to the current one)
};

struct ProgramFolderChoice {
    ProgramFolders folders;
    std::string failure;  // set when an installed program has no usable folder
};

// An own-folder copy gets OwnProgramFolders and ignores the option. An installed program uses
// the --folder folder (and remembers it in the profile), else the remembered one, else
// ~/mame/; its roms/ and snap/ folders are made when missing.
ProgramFolderChoice ChooseProgramFolders(const ProgramFolderRequest& request,
                                         ProfileStore& profile);

// Told once, when the game folders have just been made.
MessageBoxRequest FirstRunNote(std::string_view programFolder);

}  // namespace kestrun
