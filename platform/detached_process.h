#pragma once

#include <string>
#include <vector>

namespace kestrun {

// Starts the program named by the first argument with these arguments, the parent's
// environment, current folder and inheritable descriptors, in a session of its own so that it
// outlives the parent and its terminal. Returns once the program runs (true) or could not be
// started (false).
bool StartDetachedProcess(const std::vector<std::string>& arguments);

}  // namespace kestrun
