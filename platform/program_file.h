#pragma once

#include <string>

namespace kestrun {

// The full path of the running program file as the kernel reports it; empty when it cannot be
// read. A program file removed while it runs carries the kernel's " (deleted)" mark, which
// leaves its folder part intact.
std::string ProgramFilePath();

}  // namespace kestrun
