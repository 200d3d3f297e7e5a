#include "snapshot/snapshot_file.h"

#include <algorithm>
#include <filesystem>

#include "platform/file_system.h"
#include "snapshot/snapshot_name.h"

namespace kestrun {
namespace {

namespace fs = std::filesystem;

// A folder with more entries than this is not looked through any further.
constexpr int MaxEntriesExamined = 10000;

// MAME numbers its snapshots 0000.png, 0001.png, ...
bool IsNumberedSnapshot(std::string_view name) {
    constexpr std::string_view Extension = ".png";
    if (!name.ends_with(Extension) || name.size() == Extension.size()) {
        return false;
    }
    name.remove_suffix(Extension.size());
    return std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool HigherNumber(const std::string& name, const std::string& other) {
    return name.size() != other.size() ? name.size() > other.size() : name > other;
}

// Newest by modification time; of two equally new, the higher number.
std::optional<std::string> NewestNumberedSnapshot(const std::string& folder) {
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    std::string newestName;
    fs::file_time_type newestTime;
    int examined = 0;
    for (; !error && entries != fs::directory_iterator() && examined < MaxEntriesExamined;
         entries.increment(error), ++examined) {
        const std::string name = entries->path().filename().string();
        std::error_code statError;
        if (!IsNumberedSnapshot(name) || !entries->is_regular_file(statError)) {
            continue;
        }
        const fs::file_time_type time = entries->last_write_time(statError);
        if (statError) {
            continue;
        }
        if (newestName.empty() || time > newestTime ||
            (time == newestTime && HigherNumber(name, newestName))) {
            newestName = name;
            newestTime = time;
        }
    }
    return newestName.empty() ? std::nullopt : std::optional<std::string>(folder + newestName);
}

}  // namespace

std::optional<std::string> ShownSnapshotPath(std::string_view programFolder,
                                             std::string_view text) {
    const std::optional<std::string> path = SnapshotPathOf(programFolder, text);
    if (!path) {
        return std::nullopt;
    }
    if (FileExists(*path)) {
        return path;
    }
    return NewestNumberedSnapshot(NumberedSnapshotFolderOf(programFolder, text));
}

}  // namespace kestrun
