#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/message_box.h"

namespace kestrun {

// The executable a Start would run.
struct ChosenEmulator {
    // What the command line begins with: a name in the program folder, or a full path (quoted
    // when it holds blanks).
    std::string commandWord;
    // The file's full path.
    std::string executable;
    // For message captions: "MAME", "MAMEPP" or "MAME32".
    std::string captionName;
    // False for mame32.exe, which always runs with a console.
    bool keepsDetach = true;
};

struct EmulatorCommand {
    // The executable's command word, a blank and the argument string.
    std::string commandLine;
    bool detach = false;
    std::string executable;
    std::string captionName;
};

// The choice among mame.exe, mamepp.exe and mame32.exe in the program folder (which ends with
// a separator); when none of them is there, a runnable "mame" in the program folder and then
// one on PATH serve as mame.exe. The file system is asked afresh each time.
std::optional<ChosenEmulator> ChooseEmulator(const std::string& programFolder, std::int32_t mame32);

// The command for the chosen emulator. With no emulator at all, tells the user and gives
// nothing.
std::optional<EmulatorCommand> SelectEmulator(const std::string& programFolder,
                                              std::string_view arguments, std::int32_t mame32,
                                              bool detach, MessageBoxService& messages);

// The start-up check: with no emulator to be found, asks whether to go on anyway (Cancel is
// the default). True when the program should go on.
bool ConfirmEmulatorInstalled(const std::string& programFolder, MessageBoxService& messages);

// The "Use mame32" choice matters only when both mame32.exe and mamepp.exe are present.
bool OffersMame32Choice(const std::string& programFolder);

// The executable's name for message captions: the command line before its first dot, in
// upper case ("MAME", "MAMEPP", "MAME32").
std::string EmulatorCaptionName(std::string_view commandLine);

}  // namespace kestrun
