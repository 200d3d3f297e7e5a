#include "games/folder_stamp.h"

#include <gtest/gtest.h>

namespace kestrun {
namespace {

FolderStamp Stamp(unsigned long long inode, std::timespec modified, std::time_t changed,
                  std::time_t takenAt, unsigned long long device = 7) {
    return {device, inode, modified, {changed, 500}, {takenAt, 0}};
}

// A folder last changed at second 1000, listed at 1010 and looked at again at 1020.
TEST(FolderStampTest, AListingHoldsOnlyForTheSameFolderUnchangedSinceWellBeforeIt) {
    const FolderStamp listed = Stamp(42, {1000, 500}, 1000, 1010);
    const struct {
        const char* what;
        FolderStamp listed, now;
        bool holds;
    } cases[] = {
        {"unchanged", listed, Stamp(42, {1000, 500}, 1000, 1020), true},
        {"another device", listed, Stamp(42, {1000, 500}, 1000, 1020, 8), false},
        {"another folder", listed, Stamp(43, {1000, 500}, 1000, 1020), false},
        {"entries changed", listed, Stamp(42, {1000, 501}, 1000, 1020), false},
        {"times put back", listed, Stamp(42, {1000, 500}, 1001, 1020), false},
        {"changed just before the listing", Stamp(42, {1000, 500}, 1000, 1002),
         Stamp(42, {1000, 500}, 1000, 1002), false},
        {"modified in the future", Stamp(42, {2000, 0}, 1000, 1010),
         Stamp(42, {2000, 0}, 1000, 1020), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ListingStillHolds(c.listed, c.now), c.holds) << c.what;
    }
}

}  // namespace
}  // namespace kestrun
