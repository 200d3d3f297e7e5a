#pragma once

#include <sys/types.h>
#include <string>
#include <string_view>

namespace kestrun {

// Writes the whole content under a temporary name in the same folder, gives it the mode and
// renames it over the path, so readers see either the old file or the complete new one.
// Returns 0, or the errno value of the failure (and then no temporary file is left).
int WriteFileAtomically(const std::string& path, std::string_view content, mode_t mode);

// Why the file cannot be replaced that way now: the errno value of the first step that fails
// (making its folder, opening the existing file for reading and writing, making a file beside
// it, finding free space), or 0 when none does.
int ReplacementProblem(const std::string& path);

}  // namespace kestrun
