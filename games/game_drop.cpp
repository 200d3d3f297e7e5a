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

std::string GameTextFromArgument(const std::string& argument) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(argument, error);
    if (!error && !argument.empty()) {
        const std::string names[] = {absolute.lexically_normal().string()};
        if (auto accepted = AcceptDroppedFiles(names)) {
            return std::move(*accepted);
        }
    }
    return argument;
}

}  // namespace kestrun
