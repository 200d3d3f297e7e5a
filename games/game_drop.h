#pragma once

#include <optional>
#include <span>
#include <string>

namespace kestrun {

// What the game box takes from files dropped on it: the first file only, a shortcut followed
// to its target first, a regular file accepted with its full path. A folder, anything else,
// or a name that cannot be examined gives nothing, and the box keeps its text.
std::optional<std::string> AcceptDroppedFiles(std::span<const std::string> droppedNames);

// The game box text for a game named on the command line: a file (or a shortcut to one),
// relative to the current folder, gives its full path as a drop would; anything else, such as
// a game name, is taken as typed.
std::string GameTextFromArgument(const std::string& argument);

}  // namespace kestrun
