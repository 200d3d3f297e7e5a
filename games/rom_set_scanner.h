#pragma once

#include <string>
#include <string_view>

#include "games/rom_set_paths.h"

// The one list of ROM sets that Previous and Next walk, and the current game within it.
namespace kestrun {

struct RomSetState {
    // Full path of the current ROM set; empty until a game is chosen.
    std::string CurrentRomPath;
    // Full paths of the ".zip" entries of the last scanned folder, in ROM set order.
    RomSetPaths RomSetList;
    // Position of the current game. A scan that does not find its path keeps it, so stepping
    // goes on from the last known game.
    int CurrentRomIndex = 0;

    int RomSetCount() const { return static_cast<int>(RomSetList.size()); }
};

// Makes the list that of the folder of path (a ROM set path that need not exist) and points
// the index at the entry equal to path, ignoring case, when there is one. Any entry whose name
// ends in ".zip" in any case is listed, folders included. A missing folder gives an empty list.
// The folder is listed again only when it is another folder or its entries may have changed
// since the list was read.
void ScanRomSets(std::string_view path, RomSetState& state);

enum class RomStep { Previous, Next };

// Moves the index one entry with wrap-around and copies that entry into CurrentRomPath. On an
// empty list nothing changes; an index outside a list that shrank wraps into it.
void StepRomSet(RomSetState& state, RomStep step);

}  // namespace kestrun
