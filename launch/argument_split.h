#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrun {

// Splits a command line into the argument vector that a program built on the Windows C
// runtime would receive, so the emulator sees exactly what it would see there:
// - the program name ends at the first blank or tab outside double quotes; quotes in it only
//   switch quoting on and off, and backslashes are plain characters;
// - in the other arguments, 2n backslashes before a double quote give n backslashes and the
//   quote switches quoting, 2n+1 give n backslashes and a literal quote; backslashes not
//   followed by a quote stay as they are; "" inside quotes gives one literal quote and
//   quoting goes on.
// The line ends at its first NUL character, as a C string would.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace kestrun
