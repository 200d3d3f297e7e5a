#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrun {

// The snapshot the window shows for a text (see SnapshotPathOf): snap/<name>.png when it
// exists, else the newest snap/<name>/NNNN.png, which is where MAME puts snapshots by
// default. Nothing when there is neither.
std::optional<std::string> ShownSnapshotPath(std::string_view programFolder, std::string_view text);

}  // namespace kestrun
