#pragma once

#include <string>

namespace kestrun {

// The system's temporary folder ($TMPDIR, else /tmp) in canonical form and ending with a
// separator, so that it compares byte for byte with a program folder.
std::string TemporaryFolder();

}  // namespace kestrun
