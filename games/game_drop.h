#pragma once

#include <optional>
#include <span>
#include <string>

namespace kestrun {

// What the game box takes from files dropped on it: the first file only, a shortcut followed
// to its target first, a regular file accepted with its full path. A folder, anything else,
// or a name that cannot be examined gives nothing, and the box keeps its text.
std::optional<std::string> AcceptDroppedFiles(std::span<const std::string> droppedNames);

}  // namespace kestrun
