#include "games/rom_set_scanner.h"

#include <gtest/gtest.h>

#include <filesystem>
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
    // The state an earlier scan of another folder holding the given entries left behind.
    RomSetState StateWith(std::initializer_list<std::string> names, int index) const {
        for (const std::string& name : names) {
            temp_.WriteFile("earlier/" + name);
        }
        RomSetState state;
        ScanRomSets(temp_.Path() + "earlier/", state);
        state.CurrentRomIndex = index;
        return state;
    }
    static std::vector<std::string> Listed(const RomSetState& state) {
        std::vector<std::string> paths;
        for (std::size_t i = 0; i < state.RomSetList.size(); ++i) {
            paths.push_back(state.RomSetList[i]);
        }
        return paths;
    }

    testing::TempFolder temp_;
    std::string roms_ = temp_.MakeFolder("roms") + "/";
};

TEST_F(RomSetScannerTest, SortsByNameWithLowerCaseLettersAndKeepsTheirCase) {
    WriteRomSets({"1942.zip", "005.zip", "Aburner.zip", "a_b.zip", "ab.zip"});
    RomSetState state;
    ScanRomSets(roms_ + "none.zip", state);
    EXPECT_EQ(Listed(state), Paths({"005.zip", "1942.zip", "a_b.zip", "ab.zip", "Aburner.zip"}));
    EXPECT_EQ(state.RomSetCount(), 5);
}

// Past the first eight bytes, and for bytes above 0x7F (here UTF-8), the order still holds.
TEST_F(RomSetScannerTest, LongNamesAndBytesAboveAsciiKeepTheOrder) {
    WriteRomSets({"\xc3\xa9t\xc3\xa9.zip", "mspacmanbg.zip", "MSPACMAN2.zip", "mspacman.zip",
                  "mspacmab.zip"});
    RomSetState state;
    ScanRomSets(roms_ + "mspacman2.zip", state);
    EXPECT_EQ(Listed(state), Paths({"mspacmab.zip", "mspacman.zip", "MSPACMAN2.zip",
                                    "mspacmanbg.zip", "\xc3\xa9t\xc3\xa9.zip"}));
    EXPECT_EQ(state.CurrentRomIndex, 2);
}

TEST_F(RomSetScannerTest, ListsEveryZipEndingInAnyCaseFoldersIncluded) {
    WriteRomSets({"GALAGA.ZIP", "dkong.Zip", "readme.txt", "pacman.zip.bak", "zip"});
    temp_.MakeFolder("roms/mspacman.zip");
    temp_.MakeFolder("roms/snap");
    RomSetState state;
    ScanRomSets(roms_ + "x.zip", state);
    EXPECT_EQ(Listed(state), Paths({"dkong.Zip", "GALAGA.ZIP", "mspacman.zip"}));
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
        EXPECT_EQ(Listed(state).at(state.CurrentRomIndex), roms_ + name);
    }
}

TEST_F(RomSetScannerTest, KeepsTheIndexWhenThePathIsNotInTheFolder) {
    WriteRomSets({"galaga.zip", "pacman.zip"});
    RomSetState state = StateWith({"a.zip", "b.zip", "c.zip", "d.zip"}, 3);
    ScanRomSets(roms_ + "dkong.zip", state);
    EXPECT_EQ(Listed(state), Paths({"galaga.zip", "pacman.zip"}));
    EXPECT_EQ(state.CurrentRomIndex, 3);
}

TEST_F(RomSetScannerTest, ARescanSeesEntriesAddedAndRemovedSinceTheLastScan) {
    WriteRomSets({"galaga.zip", "pacman.zip"});
    RomSetState state;
    ScanRomSets(roms_ + "pacman.zip", state);
    WriteRomSets({"dkong.zip"});
    std::filesystem::remove(roms_ + "galaga.zip");
    ScanRomSets(roms_ + "pacman.zip", state);
    EXPECT_EQ(Listed(state), Paths({"dkong.zip", "pacman.zip"}));
    EXPECT_EQ(state.CurrentRomIndex, 1);
}

TEST_F(RomSetScannerTest, MissingFolderGivesAnEmptyList) {
    RomSetState state = StateWith({"a.zip"}, 0);
    ScanRomSets(temp_.Path() + "nowhere/pacman.zip", state);
    EXPECT_TRUE(state.RomSetList.empty());
    EXPECT_EQ(state.CurrentRomIndex, 0);
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
    EXPECT_EQ(Listed(state), std::vector<std::string>{folder + "b.zip"});
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
