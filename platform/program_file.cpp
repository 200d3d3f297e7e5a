#include "platform/program_file.h"

#include <linux/limits.h>
#include <unistd.h>

namespace kestrun {

std::string ProgramFilePath() {
    std::string path(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0) {
        return {};
    }
    path.resize(static_cast<std::size_t>(length));
    return path;
}

}  // namespace kestrun
