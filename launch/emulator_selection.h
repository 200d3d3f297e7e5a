#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/message_box.h"

namespace kestrun {

struct EmulatorCommand {
    // The executable's file name, a blank and the argument string.
    std::string commandLine;
    bool detach = false;
};

// Chooses the emulator in the program folder (which ends with a separator), asking the file
// system afresh each time. With no emulator there, tells the user and gives nothing.
std::optional<EmulatorCommand> SelectEmulator(const std::string& programFolder,
                                              std::string_view arguments, std::int32_t mame32,
                                              bool detach, MessageBoxService& messages);

// The start-up check: with no emulator in the folder, asks whether to go on anyway (Cancel
// is the default). True when the program should go on.
bool ConfirmEmulatorInstalled(const std::string& programFolder, MessageBoxService& messages);

// The "Use mame32" choice matters only when both mame32.exe and mamepp.exe are present.
bool OffersMame32Choice(const std::string& programFolder);

// The executable's name for message captions: the command line before its first dot, in
// upper case ("MAME", "MAMEPP", "MAME32").
std::string EmulatorCaptionName(std::string_view commandLine);

}  // namespace kestrun
