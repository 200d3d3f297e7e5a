#include "snapshot/snapshot_name.h"

#include "games/rom_path.h"
#include "platform/paths.h"

namespace kestrun {

namespace {

constexpr std::string_view SnapshotFolder = "snap";
constexpr std::string_view SnapshotExtension = ".png";

}  // namespace

std::string SnapshotNameOf(std::string_view text) {
    const std::string name = PathSeparator + std::string(GameName(CutEmulatorOptions(text)));
    return name.substr(0, name.find(' '));
}

std::string SnapshotRelativePath(std::string_view text) {
    return std::string(SnapshotFolder) + SnapshotNameOf(text) + std::string(SnapshotExtension);
}

std::optional<std::string> SnapshotPathOf(std::string_view programFolder, std::string_view text) {
    std::string path = std::string(programFolder) + SnapshotRelativePath(text);
    if (path.size() > MaxPathLength) {
        return std::nullopt;
    }
    return path;
}

std::string NumberedSnapshotFolderOf(std::string_view programFolder, std::string_view text) {
    return std::string(programFolder) + std::string(SnapshotFolder) + SnapshotNameOf(text) +
           PathSeparator;
}

MessageBoxRequest SnapshotNotFoundMessage(std::string_view text) {
    MessageBoxRequest request;
    request.text = SnapshotRelativePath(text) + " doesn't exist.";
    request.caption = "Snapshot not found";
    request.buttons = MessageButtons::Ok;
    request.icon = MessageIcon::Stop;
    return request;
}

}  // namespace kestrun
