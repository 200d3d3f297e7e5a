#include "games/game_drop.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/shortcut_resolver.h"

namespace kestrun {

std::optional<std::string> AcceptDroppedFiles(std::span<const std::string> droppedNames) {
    if (droppedNames.empty()) {
        return std::nullopt;
    }
    std::string name = droppedNames.front();
    if (std::string target = ResolveShortcut(name); !target.empty()) {
        name = std::move(target);
    }
    std::error_code error;
    if (name.empty() || !std::filesystem::is_regular_file(name, error)) {
        return std::nullopt;
    }
    return name;
}

}  // namespace kestrun
