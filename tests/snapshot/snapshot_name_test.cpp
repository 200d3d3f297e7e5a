#include "snapshot/snapshot_name.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrun {
namespace {

constexpr std::string_view ProgramFolder = "/opt/kestrun/";

struct NameCase {
    std::string text;
    std::string gameBoxText;
    std::string snapshotPath;
};

TEST(SnapshotName, FollowsTheNameRule) {
    const NameCase cases[] = {
        {"pacman", "pacman", "/opt/kestrun/snap/pacman.png"},
        {"pacman.zip", "pacman", "/opt/kestrun/snap/pacman.png"},
        {"/games/roms/pacman.zip", "/games/roms/pacman", "/opt/kestrun/snap/pacman.png"},
        {"pacman (second set)", "pacman (second set)", "/opt/kestrun/snap/pacman.png"},
        // Only the last dot counts, even when it stands in a folder name.
        {"/my.games/pacman", "/my", "/opt/kestrun/snap/my.png"},
        {"/games/pac.man.zip", "/games/pac.man", "/opt/kestrun/snap/pac.man.png"},
        // The blank rule applies after the folder has gone.
        {"/my games/roms/mspacman.zip", "/my games/roms/mspacman",
         "/opt/kestrun/snap/mspacman.png"},
        {"/games/ms pacman", "/games/ms pacman", "/opt/kestrun/snap/ms.png"},
        // Texts without a name still give a path inside the snapshot folder.
        {"", "", "/opt/kestrun/snap/.png"},
        {"/games/roms/", "/games/roms/", "/opt/kestrun/snap/.png"},
        {" pacman", " pacman", "/opt/kestrun/snap/.png"},
        {"../../etc/passwd", "../.", "/opt/kestrun/snap/..png"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\"");
        EXPECT_EQ(StripSnapshotExtension(c.text), c.gameBoxText);
        EXPECT_EQ(SnapshotPathOf(ProgramFolder, c.text), c.snapshotPath);
    }
}

TEST(SnapshotName, RefusesPathsBeyondTheLengthLimit) {
    // "/opt/kestrun/snap/" is 18 characters and ".png" 4: a 237-character name is the longest.
    const std::string longest(237, 'a');
    ASSERT_TRUE(SnapshotPathOf(ProgramFolder, longest).has_value());
    EXPECT_EQ(SnapshotPathOf(ProgramFolder, longest)->size(), 259u);
    EXPECT_FALSE(SnapshotPathOf(ProgramFolder, longest + "a").has_value());
    // The folder part of the text does not count towards the length.
    EXPECT_TRUE(SnapshotPathOf(ProgramFolder, std::string(400, 'x') + "/pacman.zip"));
}

TEST(SnapshotNotFoundMessage, NamesTheRelativePathWithAStopIcon) {
    const MessageBoxRequest request = SnapshotNotFoundMessage("/games/roms/pacman.zip");
    EXPECT_EQ(request.text, "snap/pacman.png doesn't exist.");
    EXPECT_EQ(request.caption, "Snapshot not found");
    EXPECT_EQ(request.buttons, MessageButtons::Ok);
    EXPECT_EQ(request.icon, MessageIcon::Stop);
}

}  // namespace
}  // namespace kestrun
