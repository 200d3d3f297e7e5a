#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace kestrun {

// What a folder looked like at one moment: which folder it was and when its entries last
// changed. Adding, removing or renaming an entry changes both times.
struct FolderStamp {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    std::timespec modified{};
    std::timespec changed{};
    // When the stamp was taken, by the system's clock.
    std::timespec takenAt{};
};

// The folder's stamp now; empty when the folder cannot be examined. An empty folder name
// stands for the current folder.
std::optional<FolderStamp> StampFolder(const std::string& folder);

// True when a listing that began at listed still holds at now: the same folder, with the same
// times, which lay far enough before the listing began that a change made during the
// listing could not have kept them (file systems keep times in steps of up to two seconds).
bool ListingStillHolds(const FolderStamp& listed, const FolderStamp& now);

}  // namespace kestrun
