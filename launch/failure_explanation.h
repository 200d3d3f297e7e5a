#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/message_box.h"

namespace kestrun {

// A failed run of a current MAME, as the Start command saw it.
struct EmulatorFailure {
    int status = 0;
    // The first and the last bytes MAME wrote; either may be empty, and for a short output
    // they may be the same text or overlap.
    std::string_view head;
    std::string_view tail;
    std::string_view commandLine;               // as it ran, for the details
    std::string_view game;                      // the game as the user named it
    std::span<const std::string> typedOptions;  // the words the user typed after the game
    std::string_view programFolder;             // ends with a separator
    std::string_view captionName;               // "MAME"
};

// The message for the failure in plain words where MAME's exit code says what went wrong
// (2: files missing, 5: unknown system, 6: an option refused), else the emulator's own last
// lines; the full command line and output are in the details. Nothing for a successful run or
// one that wrote nothing.
std::optional<MessageBoxRequest> ExplainCurrentMameFailure(const EmulatorFailure& failure);

// The head and the tail as one text: the head alone when the tail repeats it, joined where
// they overlap, else with a marker for what lies between them.
std::string JoinCapturedOutput(std::string_view head, std::string_view tail);

}  // namespace kestrun
