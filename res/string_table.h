#pragma once

#include <string>

namespace kestrun {

// The program's string resource with the given number; empty when there is none. Tooltips
// are numbered like their controls.
std::string LoadResourceString(int stringId);

}  // namespace kestrun
