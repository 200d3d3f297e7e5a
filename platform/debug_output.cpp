#include "platform/debug_output.h"

#include <cstdio>
#include <cstdlib>

namespace kestrun {

void DebugOutput(std::string_view text) {
    static const bool enabled = std::getenv("KESTRUN_DEBUG") != nullptr;
    if (enabled) {
        std::fwrite(text.data(), 1, text.size(), stderr);
    }
}

}  // namespace kestrun
