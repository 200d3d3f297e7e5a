#include "platform/temporary_folder.h"

#include <cstdlib>
#include <memory>

#include "platform/paths.h"

namespace kestrun {

std::string TemporaryFolder() {
    const char* fromEnvironment = std::getenv("TMPDIR");
    std::string folder =
        fromEnvironment != nullptr && *fromEnvironment != '\0' ? fromEnvironment : "/tmp";
    // The kernel reports the program's own path resolved, so the folder must be too.
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(folder.c_str(), nullptr),
                                                               &std::free);
    if (resolved) {
        folder = resolved.get();
    }
    if (folder.back() != PathSeparator) {
        folder += PathSeparator;
    }
    return folder;
}

}  // namespace kestrun
