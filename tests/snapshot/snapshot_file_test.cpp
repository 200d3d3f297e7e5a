#include "snapshot/snapshot_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

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
    write("0009.txt", 300);
    write("12a.png", 300);
    write(".png", 300);
    program.MakeFolder("snap/pacman/0010.png");
    // Of two equally new, the higher number.
    EXPECT_EQ(shown("pacman"), second);
    const std::string newest = write("0002.png", 200);
    EXPECT_EQ(shown("/games/roms/pacman.zip"), newest);
    EXPECT_EQ(shown("galaga"), "none");

    const std::string named = program.WriteFile("snap/pacman.png", "png");
    EXPECT_EQ(shown("pacman"), named);
}

}  // namespace
}  // namespace kestrun
