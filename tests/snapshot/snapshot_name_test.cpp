#include "snapshot/snapshot_name.h"

#include <gtest/gtest.h>

#include <string>

#include "games/rom_path.h"

namespace kestrun {
namespace {

constexpr std::string_view ProgramFolder = "/opt/kestrun/";

struct NameCase {
    std::string text;
    std::string gameBoxText;
    std::string snapshotPath;
};

// What the game box shows once a text's snapshot has been looked up, and that snapshot.
TEST(SnapshotName, FollowsTheFileNameOfTheGamePart) {
    const NameCase cases[] = {
        {"/games/roms/pacman.zip", "/games/roms/pacman", "/opt/kestrun/snap/pacman.png"},
        {"pacman (second set)", "pacman (second set)", "/opt/kestrun/snap/pacman.png"},
        {"/games/pac.man.zip", "/games/pac.man", "/opt/kestrun/snap/pac.man.png"},
        // Dots and separators in folders and typed options are not the game's.
        {"/home/u/my.games/pacman", "/home/u/my.games/pacman", "/opt/kestrun/snap/pacman.png"},
        {"pong -video none -autoboot_script snap.lua", "pong -video none -autoboot_script snap.lua",
         "/opt/kestrun/snap/pong.png"},
        {"roms/dkong.zip -cheat", "roms/dkong -cheat", "/opt/kestrun/snap/dkong.png"},
        {"pong -autoboot_script /tmp/s.lua", "pong -autoboot_script /tmp/s.lua",
         "/opt/kestrun/snap/pong.png"},
        // The blank rule applies after the folder has gone.
        {"/my games/roms/mspacman.zip", "/my games/roms/mspacman",
         "/opt/kestrun/snap/mspacman.png"},
        {"/games/ms pacman", "/games/ms pacman", "/opt/kestrun/snap/ms.png"},
        // Texts without a name still give a path inside the snapshot folder.
        {"", "", "/opt/kestrun/snap/.png"},
        {"/games/roms/", "/games/roms/", "/opt/kestrun/snap/.png"},
        {" pacman", " pacman", "/opt/kestrun/snap/.png"},
        {"../../etc/passwd", "../../etc/passwd", "/opt/kestrun/snap/passwd.png"},
        {"../..", "../.", "/opt/kestrun/snap/..png"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\"");
        EXPECT_EQ(WithoutGameExtension(c.text), c.gameBoxText);
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
