#include "games/rom_set_scanner.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "platform/paths.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

class RomSetScannerTest : public ::testing::Test {
  protected:
    // Full paths in the ROM folder, in the given order.
    std::vector<std::string> Paths(std::initializer_list<std::string> names) const {
        std::vector<std::string> paths;
        for (const std::string& name : names) {
            paths.push_back(roms_ + name);
        }
        return paths;
    }
    // Empty files in the ROM folder.
    void WriteRomSets(std::initializer_list<std::string> names) const {
        for (const std::string& name : names) {
            temp_.WriteFile("roms/" + name);
        }
    }
    // A state whose list holds the given entries, as left by an earlier scan.
    RomSetState StateWith(std::initializer_list<std::string> names, int index) const {
        RomSetState state;
        state.RomSetList = Paths(names);
        state.CurrentRomIndex = index;
        return state;
    }

    testing::TempFolder temp_;
    std::string roms_ = temp_.MakeFolder("roms") + "/";
};

// Every name ending in .zip in any case counts, folders included, sorted as lower case.
TEST_F(RomSetScannerTest, ListsZipEndingsInAnyCaseSortedByLowerCaseName) {
    WriteRomSets({"1942.zip", "005.zip", "Aburner.ZIP", "a_b.Zip", "ab.zip", "readme.txt",
                  "pacman.zip.bak", "zip"});
    temp_.MakeFolder("roms/mspacman.zip");
    RomSetState state;
    ScanRomSets(roms_ + "none.zip", state);
    EXPECT_EQ(state.RomSetList,
              Paths({"005.zip", "1942.zip", "a_b.Zip", "ab.zip", "Aburner.ZIP", "mspacman.zip"}));
    EXPECT_EQ(state.RomSetCount(), 6);
}

TEST_F(RomSetScannerTest, FindsTheScannedPathInAnyCaseAtItsSortedPlace) {
    WriteRomSets({"zaxxon.zip", "pacman.zip", "galaga.zip", "1942.zip"});
    RomSetState state;
    ScanRomSets(roms_ + "PACMAN.ZIP", state);
    ASSERT_EQ(state.CurrentRomIndex, 2);
    EXPECT_EQ(state.RomSetList[2], roms_ + "pacman.zip");
}

TEST_F(RomSetScannerTest, AmongNamesDifferingOnlyByCaseTheExactSpellingIsFound) {
    WriteRomSets({"pacman.zip", "PacMan.zip", "PACMAN.zip", "galaga.zip"});
    for (const char* name : {"pacman.zip", "PacMan.zip", "PACMAN.zip"}) {
        RomSetState state;
        ScanRomSets(roms_ + name, state);
        EXPECT_EQ(state.RomSetList.at(state.CurrentRomIndex), roms_ + name);
    }
}

// A path not in the folder keeps the index; a missing folder gives an empty list.
TEST_F(RomSetScannerTest, KeepsTheIndexWhenThePathIsNotInTheFolder) {
    WriteRomSets({"galaga.zip", "pacman.zip"});
    RomSetState state = StateWith({"a.zip", "b.zip", "c.zip", "d.zip"}, 3);
    ScanRomSets(roms_ + "dkong.zip", state);
    EXPECT_EQ(state.RomSetList, Paths({"galaga.zip", "pacman.zip"}));
    EXPECT_EQ(state.CurrentRomIndex, 3);
    ScanRomSets(temp_.Path() + "nowhere/pacman.zip", state);
    EXPECT_TRUE(state.RomSetList.empty());
    EXPECT_EQ(state.CurrentRomIndex, 3);
}

TEST_F(RomSetScannerTest, SkipsEntriesWhosePathWouldBeTooLong) {
    // A folder that leaves room for exactly "b.zip" within the path limit.
    const std::size_t room = MaxPathLength - roms_.size() - 5;
    const std::string deep = "roms/" + std::string(room - 1, 'd') + "/";
    temp_.WriteFile(deep + "b.zip");
    temp_.WriteFile(deep + "ab.zip");
    const std::string folder = roms_ + std::string(room - 1, 'd') + "/";
    ASSERT_EQ(folder.size() + 5, MaxPathLength);

    RomSetState state;
    ScanRomSets(folder + "ab.zip", state);
    EXPECT_EQ(state.RomSetList, std::vector<std::string>{folder + "b.zip"});
    EXPECT_EQ(state.CurrentRomIndex, 0);
}

struct StepCase {
    int index;
    RomStep step;
    int expectedIndex;
};

TEST_F(RomSetScannerTest, StepsWrapAroundAndStayInsideTheList) {
    const StepCase cases[] = {
        {0, RomStep::Next, 1},     {1, RomStep::Next, 2},     {2, RomStep::Next, 0},
        {2, RomStep::Previous, 1}, {0, RomStep::Previous, 2}, {-4, RomStep::Previous, 2},
        {-4, RomStep::Next, 0},    {3, RomStep::Next, 0},     {3, RomStep::Previous, 2},
        {9, RomStep::Next, 0},     {9, RomStep::Previous, 2},
    };
    for (const auto& c : cases) {
        RomSetState state = StateWith({"a.zip", "b.zip", "c.zip"}, c.index);
        StepRomSet(state, c.step);
        ASSERT_EQ(state.CurrentRomIndex, c.expectedIndex)
            << "from " << c.index << (c.step == RomStep::Next ? " next" : " previous");
        EXPECT_EQ(state.CurrentRomPath, state.RomSetList[c.expectedIndex]);
    }
}

TEST_F(RomSetScannerTest, StepOnAnEmptyListChangesNothing) {
    for (const RomStep step : {RomStep::Previous, RomStep::Next}) {
        RomSetState state;
        state.CurrentRomPath = roms_ + "pacman.zip";
        state.CurrentRomIndex = 5;
        StepRomSet(state, step);
        EXPECT_EQ(state.CurrentRomPath, roms_ + "pacman.zip");
        EXPECT_EQ(state.CurrentRomIndex, 5);
    }
}

}  // namespace
}  // namespace kestrun
