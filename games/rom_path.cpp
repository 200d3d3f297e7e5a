#include "games/rom_path.h"

#include "platform/paths.h"

namespace kestrun {

std::string_view CutEmulatorOptions(std::string_view text) {
    return text.substr(0, text.find(" -"));
}

std::string RomPathFromText(std::string_view text, std::string_view programFolder) {
    const std::string_view name = CutEmulatorOptions(text);
    std::string path;
    if (!IsAbsolutePath(name)) {
        path.append(programFolder).append(RomFolderName);
    }
    path.append(name);
    // Case-sensitive on purpose: an upper-case ending gets a second one, "PACMAN.ZIP.zip".
    if (!path.ends_with(RomSetExtension)) {
        path.append(RomSetExtension);
    }
    return path;
}

std::string_view GameName(std::string_view romPath) {
    const std::string_view base = BaseNameOf(romPath);
    return base.substr(0, base.rfind('.'));
}

std::string WithoutGameExtension(std::string_view text) {
    const std::string_view game = CutEmulatorOptions(text);
    return FolderOf(game) + std::string(GameName(game)) + std::string(text.substr(game.size()));
}

}  // namespace kestrun
