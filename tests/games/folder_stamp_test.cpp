#include "games/folder_stamp.h"

#include <gtest/gtest.h>

#include <functional>

namespace kestrun {
namespace {

// A folder last changed at second 1000, listed ten seconds later.
FolderStamp Listed() {
    FolderStamp stamp;
    stamp.device = 7;
    stamp.inode = 42;
    stamp.modified = {1000, 500};
    stamp.changed = {1000, 500};
    stamp.takenAt = {1010, 0};
    return stamp;
}

struct StampCase {
    const char* what;
    std::function<void(FolderStamp& listed, FolderStamp& now)> change;
    bool holds;
};

TEST(FolderStampTest, AListingHoldsOnlyForTheSameFolderUnchangedSinceWellBeforeIt) {
    const StampCase cases[] = {
        {"unchanged", [](FolderStamp&, FolderStamp&) {}, true},
        {"another device", [](FolderStamp&, FolderStamp& now) { ++now.device; }, false},
        {"another folder", [](FolderStamp&, FolderStamp& now) { ++now.inode; }, false},
        {"entries changed", [](FolderStamp&, FolderStamp& now) { ++now.modified.tv_nsec; }, false},
        {"times put back", [](FolderStamp&, FolderStamp& now) { ++now.changed.tv_sec; }, false},
        {"changed just before the listing",
         [](FolderStamp& listed, FolderStamp& now) {
             listed.takenAt = now.takenAt = {1002, 0};
         },
         false},
        {"modified in the future",
         [](FolderStamp& listed, FolderStamp& now) {
             listed.modified = now.modified = {2000, 0};
         },
         false},
    };
    for (const StampCase& c : cases) {
        FolderStamp listed = Listed();
        FolderStamp now = Listed();
        now.takenAt = {1020, 0};
        c.change(listed, now);
        EXPECT_EQ(ListingStillHolds(listed, now), c.holds) << c.what;
    }
}

}  // namespace
}  // namespace kestrun
