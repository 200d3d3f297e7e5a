#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "launch/emulator_facts.h"

namespace kestrun {

// Turns the options the command-line builder generated (the text after the command head, each
// option beginning with a blank) into the arguments a current MAME takes for the same wishes:
// each one is kept, replaced or dropped, the search paths that -norc would lose are given
// back with the program folder's own folders first (a path that takes one folder only gets
// the program folder's own when it exists), snapshots are named after the game, and finally
// every option this emulator does not list is dropped with its value.
std::vector<std::string> TranslateGeneratedOptions(std::string_view generated,
                                                   const EmulatorFacts& facts,
                                                   const std::string& programFolder);

}  // namespace kestrun
