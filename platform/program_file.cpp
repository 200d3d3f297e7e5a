#include "platform/program_file.h"

#include <linux/limits.h>
#include <unistd.h>

#include "platform/paths.h"

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

std::string ExecutableBaseName(std::string_view programFile) {
    constexpr std::string_view DeletedMark = " (deleted)";
    std::string_view name = BaseNameOf(programFile);
    if (name.ends_with(DeletedMark)) {
        name.remove_suffix(DeletedMark.size());
    }
    return std::string(name.substr(0, name.rfind('.')));
}

}  // namespace kestrun
