#pragma once

#include <string>
#include <string_view>

namespace kestrun {

// The full path of the running program file as the kernel reports it; empty when it cannot be
// read. A program file removed while it runs carries the kernel's " (deleted)" mark, which
// leaves its folder part intact.
std::string ProgramFilePath();

// The program's name without folder and extension; the kernel's " (deleted)" mark on a
// removed program file is not part of it.
std::string ExecutableBaseName(std::string_view programFile);

}  // namespace kestrun
