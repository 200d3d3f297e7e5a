#include "games/rom_set_scanner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>

#include "platform/paths.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using Names = std::vector<std::string>;

class RomSetScannerTest : public ::testing::Test {
  protected:
    void WriteRomSets(std::initializer_list<std::string> names) const {
        for (const std::string& name : names) {
            temp_.WriteFile("roms/" + name);
        }
    }
    static Names Listed(const RomSetState& state) {
        Names names;
        for (std::size_t i = 0; i < state.RomSetList.size(); ++i) {
            names.emplace_back(state.RomSetList.NameAt(i));
        }
        return names;
    }

    testing::TempFolder temp_;
    std::string roms_ = temp_.MakeFolder("roms") + "/";
};

// Names sort with letters in lower case, past the first eight bytes and for bytes above 0x7F
// (here UTF-8) too, and keep their case; folders ending in ".zip" count. The scanned path is
// found in any case.
TEST_F(RomSetScannerTest, ListsEveryZipEndingInAnyCaseSortedByNameInLowerCase) {
    WriteRomSets({"1942.zip", "005.zip", "Aburner.zip", "a_b.zip", "ab.zip",
                  "\xc3\xa9t\xc3\xa9.zip", "mspacmanbg.zip", "MSPACMAN2.zip", "mspacman.zip",
                  "mspacmab.zip", "GALAGA.ZIP", "dkong.Zip", "readme.txt", "pacman.zip.bak",
                  "zip"});
    temp_.MakeFolder("roms/pengo.zip");
    temp_.MakeFolder("roms/snap");
    RomSetState state;
    ScanRomSets(roms_ + "mspacman2.ZIP", state);
    EXPECT_EQ(Listed(state),
              (Names{"005.zip", "1942.zip", "a_b.zip", "ab.zip", "Aburner.zip", "dkong.Zip",
                     "GALAGA.ZIP", "mspacmab.zip", "mspacman.zip", "MSPACMAN2.zip",
                     "mspacmanbg.zip", "pengo.zip", "\xc3\xa9t\xc3\xa9.zip"}));
    EXPECT_EQ(state.CurrentRomIndex, 9);

    const std::string folder = temp_.MakeFolder("case") + "/";
    for (const char* name : {"pacman.zip", "PacMan.zip", "PACMAN.zip", "galaga.zip"}) {
        temp_.WriteFile(std::string("case/") + name);
    }
    for (const char* name : {"pacman.zip", "PacMan.zip", "PACMAN.zip"}) {
        ScanRomSets(folder + name, state);
        EXPECT_EQ(std::string(state.RomSetList[state.CurrentRomIndex]), folder + name);
    }
}

// A path in a missing folder keeps the index for the next step.
TEST_F(RomSetScannerTest, ARescanSeesChangesAndAMissingFolderGivesAnEmptyList) {
    WriteRomSets({"galaga.zip", "pacman.zip"});
    RomSetState state;
    ScanRomSets(roms_ + "pacman.zip", state);
    WriteRomSets({"dkong.zip"});
    std::filesystem::remove(roms_ + "galaga.zip");
    ScanRomSets(roms_ + "pacman.zip", state);
    EXPECT_EQ(Listed(state), (Names{"dkong.zip", "pacman.zip"}));
    EXPECT_EQ(state.CurrentRomIndex, 1);
    ScanRomSets(temp_.Path() + "nowhere/pacman.zip", state);
    EXPECT_TRUE(state.RomSetList.empty());
    EXPECT_EQ(state.CurrentRomIndex, 1);
}

TEST_F(RomSetScannerTest, SkipsEntriesWhosePathWouldBeTooLong) {
    // A folder that leaves room for exactly "b.zip" within the path limit.
    const std::string deep = std::string(MaxPathLength - roms_.size() - 6, 'd') + "/";
    WriteRomSets({deep + "b.zip", deep + "ab.zip"});
    ASSERT_EQ(roms_.size() + deep.size() + 5, MaxPathLength);
    RomSetState state;
    ScanRomSets(roms_ + deep + "ab.zip", state);
    EXPECT_EQ(Listed(state), Names{"b.zip"});
    EXPECT_EQ(state.CurrentRomIndex, 0);
}

TEST_F(RomSetScannerTest, StepsWrapAroundAndStayInsideTheList) {
    WriteRomSets({"a.zip", "b.zip", "c.zip"});
    RomSetState listed;
    ScanRomSets(roms_ + "a.zip", listed);
    using enum RomStep;
    const std::tuple<int, RomStep, int> cases[] = {
        {0, Next, 1},     {1, Next, 2},      {2, Next, 0},     {2, Previous, 1},
        {0, Previous, 2}, {-4, Previous, 2}, {-4, Next, 0},    {3, Next, 0},
        {3, Previous, 2}, {9, Next, 0},      {9, Previous, 2},
    };
    for (const auto& [index, step, expected] : cases) {
        RomSetState state = listed;
        state.CurrentRomIndex = index;
        StepRomSet(state, step);
        ASSERT_EQ(state.CurrentRomIndex, expected) << index << (step == Next ? " next" : " back");
        EXPECT_EQ(state.CurrentRomPath, state.RomSetList[expected]);
    }
}

}  // namespace
}  // namespace kestrun
