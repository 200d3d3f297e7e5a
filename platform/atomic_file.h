#pragma once

#include <sys/types.h>
#include <string>
#include <string_view>

namespace kestrun {

// Writes the whole content under a temporary name in the same folder, gives it the mode and
// renames it over the path, so readers see either the old file or the complete new one.
// Returns 0, or the errno value of the failure (and then no temporary file is left).
int WriteFileAtomically(const std::string& path, std::string_view content, mode_t mode);

}  // namespace kestrun
