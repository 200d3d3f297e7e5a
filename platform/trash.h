#pragma once

#include <string>

namespace kestrun {

// Moves a file or folder into the user's freedesktop trash ($XDG_DATA_HOME/Trash, else
// ~/.local/share/Trash): the object goes to files/ and an info/<name>.trashinfo records its
// original path and the time. A name already in the trash gets a number added. Returns 0, or
// the errno value of the failure; on failure nothing is left in the trash.
int MoveToTrash(const std::string& path);

}  // namespace kestrun
