#pragma once

#include <string_view>

namespace kestrun {

// Diagnostics the user never sees: written to standard error only when the environment
// variable KESTRUN_DEBUG is set.
void DebugOutput(std::string_view text);

}  // namespace kestrun
