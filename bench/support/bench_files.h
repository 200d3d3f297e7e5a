#pragma once

#include <string>

#include "tests/support/temp_folder.h"

// Files the benchmarks work on, made fresh for each run in a temporary folder.
namespace kestrun::bench {

// Fills folder (below the scratch folder; made when missing) with count empty ROM sets named
// game<n> in mixed letter case, a tenth of them ending in ".ZIP", in scattered order, with one
// other file for every five sets. Among them is game1.
void CreateRomSets(const testing::TempFolder& scratch, const std::string& folder, int count);

// A 640 x 480 RGB snapshot in PNG form that compresses about as well as a game screen.
std::string MakeSnapshotPng();

}  // namespace kestrun::bench
