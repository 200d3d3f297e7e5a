#include "games/folder_stamp.h"

#include <sys/stat.h>

#include <algorithm>

namespace kestrun {

namespace {

// The coarsest step in which a file system keeps times (FAT's two seconds).
constexpr std::time_t TimeStepSeconds = 2;

bool Same(const std::timespec& a, const std::timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool Before(const std::timespec& a, const std::timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec < b.tv_sec : a.tv_nsec < b.tv_nsec;
}

}  // namespace

std::optional<FolderStamp> StampFolder(const std::string& folder) {
    FolderStamp stamp;
    // Taken before the folder is looked at: a change after it is then newer than the stamp.
    std::timespec_get(&stamp.takenAt, TIME_UTC);
    struct stat status {};
    if (::stat(folder.empty() ? "." : folder.c_str(), &status) != 0) {
        return std::nullopt;
    }
    stamp.device = status.st_dev;
    stamp.inode = status.st_ino;
    stamp.modified = status.st_mtim;
    stamp.changed = status.st_ctim;
    return stamp;
}

bool ListingStillHolds(const FolderStamp& listed, const FolderStamp& now) {
    if (listed.device != now.device || listed.inode != now.inode ||
        !Same(listed.modified, now.modified) || !Same(listed.changed, now.changed)) {
        return false;
    }
    std::timespec settled = listed.takenAt;
    settled.tv_sec -= TimeStepSeconds;
    return Before(std::max(listed.modified, listed.changed, Before), settled);
}

}  // namespace kestrun
