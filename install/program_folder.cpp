#include "install/program_folder.h"

#include <filesystem>
#include <system_error>

#include "games/rom_path.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace kestrun {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view SnapshotFolderName = "snap/";

// The folder in canonical form where it exists, ending with a separator.
std::string FolderForm(const fs::path& folder) {
    std::error_code ignored;
    fs::path canonical = fs::weakly_canonical(folder, ignored);
    if (canonical.empty()) {
        canonical = folder.lexically_normal();
    }
    std::string text = canonical.string();
    if (text.empty() || text.back() != PathSeparator) {
        text += PathSeparator;
    }
    return text;
}

std::string MakeGameFolders(const std::string& programFolder, bool& made) {
    for (const std::string_view name : {RomFolderName, SnapshotFolderName}) {
        const std::string folder = programFolder + std::string(name);
        if (FolderExists(folder)) {
            continue;
        }
        std::error_code error;
        fs::create_directories(folder, error);
        if (error || !FolderExists(folder)) {
            return "Kestrun cannot make the folder " + folder + ": " +
                   (error ? error.message() : "a file of that name is in the way") + ".";
        }
        made = true;
    }
    return {};
}

}  // namespace

bool IsInstalledProgram(std::string_view programFile, const InstallLayout& layout) {
    if (layout.binFolder.empty()) {
        return false;
    }
    return FolderOf(programFile) == FolderForm(layout.binFolder);
}

ProgramFolders OwnProgramFolders(std::string_view programFile) {
    ProgramFolders folders;
    folders.program = FolderOf(programFile);
    folders.help = folders.program;
    return folders;
}

ProgramFolderChoice ChooseProgramFolders(const ProgramFolderRequest& request,
                                         ProfileStore& profile) {
    ProgramFolderChoice choice;
    if (!IsInstalledProgram(request.programFile, request.layout)) {
        choice.folders = OwnProgramFolders(request.programFile);
        return choice;
    }
    ProgramFolders& folders = choice.folders;
    folders.installed = true;
    folders.help = FolderForm(request.layout.helpFolder);
    const std::string remembered = profile.GetProfileString(ProfileSection, ProgramFolderKey, "");
    if (request.folderOption) {
        std::error_code ignored;
        folders.program = FolderForm(fs::absolute(*request.folderOption, ignored));
    } else if (IsAbsolutePath(remembered)) {
        folders.program = FolderForm(remembered);
    } else if (IsAbsolutePath(request.home)) {
        folders.program = FolderForm(request.home) + std::string(DefaultGameFolderName);
    } else {
        choice.failure = "Kestrun finds no home folder to keep games in: start it with --folder.";
        return choice;
    }
    choice.failure = MakeGameFolders(folders.program, folders.madeGameFolders);
    if (choice.failure.empty() && request.folderOption) {
        profile.WriteProfileString(ProfileSection, ProgramFolderKey, folders.program);
    }
    return choice;
}

MessageBoxRequest FirstRunNote(std::string_view programFolder) {
    const std::string folder(programFolder);
    return {"Kestrun has made the folder " + folder +
                " for your games.\n\nPut ROM sets (.zip files) in " + folder +
                std::string(RomFolderName) + "; MAME saves snapshots in " + folder +
                std::string(SnapshotFolderName) + ".",
            "Kestrun", MessageButtons::Ok, MessageIcon::Information};
}

}  // namespace kestrun
