#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/message_box.h"

// Where a game's snapshot lives. The text may be a bare game name, the game box text or the
// full path of a ROM set file; all of them lead to ProgramFolder + "snap/" + GameName + ".png".
namespace kestrun {

// The separator followed by the game name: the file name of the part before any typed options,
// its extension dropped, then everything from its first blank on dropped.
std::string SnapshotNameOf(std::string_view text);

// "snap/<name>.png", the snapshot's path relative to the program folder.
std::string SnapshotRelativePath(std::string_view text);

// The snapshot's full path in programFolder (which ends with a separator). Nothing when the path
// would be longer than MaxPathLength: no such file can exist for the program.
std::optional<std::string> SnapshotPathOf(std::string_view programFolder, std::string_view text);

// "snap/<name>/" in programFolder: where MAME keeps the game's snapshots by its default naming.
std::string NumberedSnapshotFolderOf(std::string_view programFolder, std::string_view text);

// The message shown when the user asks to delete a snapshot that is not there.
MessageBoxRequest SnapshotNotFoundMessage(std::string_view text);

}  // namespace kestrun
