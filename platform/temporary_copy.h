#pragma once

#include <string>
#include <string_view>

namespace kestrun {

// Copies a file into a new, uniquely named file <prefix>XXXXXX.tmp of the folder (the folder
// ends with a separator), readable, writable and executable by the owner only. Returns the
// copy's path, or an empty text when it cannot be made; no partial copy is left then.
std::string CopyToTemporaryFile(const std::string& source, const std::string& folder,
                                std::string_view prefix);

}  // namespace kestrun
