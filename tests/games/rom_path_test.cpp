#include "games/rom_path.h"

#include <gtest/gtest.h>

namespace kestrun {
namespace {

struct RomPathCase {
    const char* text;
    const char* expected;
};

TEST(RomPathFromText, FollowsTheTypedTextRules) {
    const std::string programFolder = "/opt/kestrun/";
    const RomPathCase cases[] = {
        {"pacman", "/opt/kestrun/roms/pacman.zip"},
        {"pacman -cheat", "/opt/kestrun/roms/pacman.zip"},
        {"pacman  -cheat -nosound", "/opt/kestrun/roms/pacman .zip"},
        {"pacman-cheat", "/opt/kestrun/roms/pacman-cheat.zip"},
        {"pacman.zip", "/opt/kestrun/roms/pacman.zip"},
        {"PACMAN.ZIP", "/opt/kestrun/roms/PACMAN.ZIP.zip"},
        {"/games/pacman.zip", "/games/pacman.zip"},
        {"/games/pacman", "/games/pacman.zip"},
        {"/games/pacman.zip -cheat", "/games/pacman.zip"},
        {"sub/galaga", "/opt/kestrun/roms/sub/galaga.zip"},
        {" pacman", "/opt/kestrun/roms/ pacman.zip"},
        {"", "/opt/kestrun/roms/.zip"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RomPathFromText(c.text, programFolder), c.expected) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace kestrun
