#include "platform/debug_output.h"

#include <cstdio>
#include <cstdlib>

#include "platform/quiet_write.h"

namespace kestrun {

void DebugOutput(std::string_view text) {
    static const bool enabled = std::getenv("KESTRUN_DEBUG") != nullptr;
    if (enabled) {
        WriteQuietly(stderr, text);
    }
}

}  // namespace kestrun
