#include "window/rom_path_check.h"

#include "games/rom_path.h"
#include "platform/paths.h"

namespace kestrun {

std::optional<std::string> RomPathWithinLimit(std::string_view text,
                                              std::string_view programFolder) {
    std::string path = RomPathFromText(text, programFolder);
    if (path.size() > MaxPathLength) {
        return std::nullopt;
    }
    return path;
}

MessageBoxRequest RomPathTooLongMessage() {
    MessageBoxRequest request;
    request.text = "The game name is too long: its ROM set path would be longer than " +
                   std::to_string(MaxPathLength) + " characters.";
    request.caption = "Kestrun";
    request.buttons = MessageButtons::Ok;
    request.icon = MessageIcon::Exclamation;
    return request;
}

}  // namespace kestrun
