#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/message_box.h"

namespace kestrun {

// The ROM set path for a game text (see RomPathFromText), or nothing when it would not fit
// in MaxPathLength: such a text is refused rather than cut short to another game's name.
std::optional<std::string> RomPathWithinLimit(std::string_view text,
                                              std::string_view programFolder);

// What the user is told when a text is refused for its length.
MessageBoxRequest RomPathTooLongMessage();

}  // namespace kestrun
