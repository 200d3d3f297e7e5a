#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "games/rom_path.h"
#include "snapshot/snapshot_file.h"
#include "snapshot/snapshot_fitting.h"
#include "snapshot/snapshot_name.h"
#include "snapshot/snapshot_rescale.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

// What the game box shows once a text's snapshot has been looked up, and that snapshot.
TEST(SnapshotName, FollowsTheFileNameOfTheGamePart) {
    struct Case {
        std::string text, gameBoxText, name;
    };
    const Case cases[] = {
        {"/games/roms/pacman.zip", "/games/roms/pacman", "pacman"},
        {"pacman (second set)", "pacman (second set)", "pacman"},
        {"/games/pac.man.zip", "/games/pac.man", "pac.man"},
        // Dots and separators in folders and typed options are not the game's.
        {"/home/u/my.games/pacman", "/home/u/my.games/pacman", "pacman"},
        {"roms/dkong.zip -cheat", "roms/dkong -cheat", "dkong"},
        {"pong -autoboot_script /tmp/s.lua", "pong -autoboot_script /tmp/s.lua", "pong"},
        // The blank rule applies after the folder has gone.
        {"/my games/roms/mspacman.zip", "/my games/roms/mspacman", "mspacman"},
        {"/games/ms pacman", "/games/ms pacman", "ms"},
        // Texts without a name still give a path inside the snapshot folder.
        {"/games/roms/", "/games/roms/", ""},
        {" pacman", " pacman", ""},
        {"../..", "../.", "."}};
    for (const Case& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\"");
        EXPECT_EQ(WithoutGameExtension(c.text), c.gameBoxText);
        EXPECT_EQ(SnapshotPathOf("/opt/kestrun/", c.text), "/opt/kestrun/snap/" + c.name + ".png");
    }
    // "/opt/kestrun/snap/" is 18 characters and ".png" 4: a 237-character name is the longest;
    // the folder part of the text does not count.
    EXPECT_EQ(SnapshotPathOf("/opt/kestrun/", std::string(237, 'a')).value_or("").size(), 259u);
    EXPECT_FALSE(SnapshotPathOf("/opt/kestrun/", std::string(238, 'a')));
    EXPECT_TRUE(SnapshotPathOf("/opt/kestrun/", std::string(400, 'x') + "/pacman.zip"));
    const MessageBoxRequest request = SnapshotNotFoundMessage("/games/roms/pacman.zip");
    EXPECT_EQ(request.caption, "Snapshot not found");
    EXPECT_EQ(request.buttons, MessageButtons::Ok);
    EXPECT_EQ(request.icon, MessageIcon::Stop);
}

TEST(ShownSnapshotPath, PrefersTheNamedFileThenMamesNewestNumberedOne) {
    testing::TempFolder program;
    const auto shown = [&](const char* text) {
        return ShownSnapshotPath(program.Path(), text).value_or("none");
    };
    const auto base = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    const auto write = [&](const std::string& name, int seconds) {
        const std::string path = program.WriteFile("snap/pacman/" + name, "png");
        std::filesystem::last_write_time(path, base + std::chrono::seconds(seconds));
        return path;
    };
    EXPECT_EQ(shown("pacman"), "none");
    write("0000.png", 100);
    const std::string second = write("0001.png", 100);
    write("0002.png", 50);
    for (const char* notNumbered : {"0009.txt", "12a.png", ".png"}) {
        write(notNumbered, 300);
    }
    program.MakeFolder("snap/pacman/0010.png");
    EXPECT_EQ(shown("pacman"), second);  // of two equally new, the higher number
    const std::string newest = write("0002.png", 200);
    EXPECT_EQ(shown("/games/roms/pacman.zip"), newest);
    EXPECT_EQ(shown("galaga"), "none");
    EXPECT_EQ(shown("pacman"), program.WriteFile("snap/pacman.png", "png"));
}

TEST(FitSnapshot, InWindowAndFullScreenModes) {
    using enum SnapshotResampling;
    constexpr std::int32_t Largest = 2147483647;
    struct Case {
        std::int32_t width, height;
        SnapshotFit window, fullScreen;
    };
    const Case cases[] = {
        // Pictures that fit the box keep their own size; so do empty ones, whatever the other
        // side: nothing may divide by a size of 0.
        {232, 263, {None, 232, 263}, {None, 232, 263}},
        {0, 500, {None, 0, 500}, {None, 0, 500}},
        {-300, 400, {None, -300, 400}, {None, -300, 400}},
        // Wide pictures scaled to the box width and lower than 202 are stretched.
        {348, 303, {Fast, 232, 202}, {Fast, 232, 202}},
        {348, 302, {Smooth, 232, 232}, {Smooth, 232, 232}},
        {Largest, 1, {Smooth, 232, 232}, {Smooth, 232, 232}},
        // Heights above 276 are capped in a window only.
        {290, 347, {Fast, 232, 276}, {Fast, 232, 277}},
        // High pictures: scaled to the box height in a window, stretched when narrower than 178;
        // scaled to the box width in full screen.
        {232, 264, {Fast, 231, 263}, {Fast, 232, 264}},
        {200, 295, {Fast, 178, 263}, {Fast, 232, 342}},
        {200, 296, {Smooth, 232, 263}, {Fast, 232, 343}},
        {1, Largest, {Smooth, 232, 263}, {Fast, 232, std::int64_t{232} * Largest}},
        // One side in the box, the other just over it.
        {233, 263, {Fast, 232, 261}, {Fast, 232, 261}},
        // A ratio that floating point would truncate one pixel short.
        {261, 279, {Fast, 232, 248}, {Fast, 232, 248}}};
    for (const Case& c : cases) {
        EXPECT_EQ(FitSnapshot(c.width, c.height, false), c.window) << c.width << "x" << c.height;
        EXPECT_EQ(FitSnapshot(c.width, c.height, true), c.fullScreen) << c.width << "x" << c.height;
    }
}

// Alternating black and white columns in the top row: nearest neighbour keeps only those two
// colours, smoothing mixes them.
TEST(FitSnapshotImage, ResamplesToTheFitWithTheRightKind) {
    for (const auto& [width, height, fullScreen, fittedHeight, smooth] :
         {std::tuple{320, 240, false, 232, true}, std::tuple{100, 400, true, 928, false}}) {
        CDibImage image;
        ASSERT_NE(image.Create(width, height, 24, FORMAT_PNG), nullptr);
        for (std::int32_t x = 1; x < width; x += 2) {
            image.SetPixelColor(x, 0, RgbQuad{255, 255, 255, 0});
        }
        EXPECT_TRUE(FitSnapshotImage(image, fullScreen));
        EXPECT_EQ(image.GetWidth(), 232);
        EXPECT_EQ(image.GetHeight(), fittedHeight);
        EXPECT_EQ(image.GetPixelColor(1, 0).rgbRed % 255 != 0, smooth) << width;
    }
}

}  // namespace
}  // namespace kestrun
