#include "platform/temporary_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace kestrun {
namespace {

constexpr std::string_view Suffix = ".tmp";

bool CopyContent(int from, int to) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0) {
            return true;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t written =
                ::write(to, buffer + done, static_cast<std::size_t>(got - done));
            if (written < 0 && errno != EINTR) {
                return false;
            }
            done += written > 0 ? written : 0;
        }
    }
}

}  // namespace

std::string CopyToTemporaryFile(const std::string& source, const std::string& folder,
                                std::string_view prefix) {
    const int from = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) {
        return {};
    }
    std::string copy = folder + std::string(prefix) + "XXXXXX" + std::string(Suffix);
    const int to = ::mkostemps(copy.data(), static_cast<int>(Suffix.size()), O_CLOEXEC);
    bool copied = to >= 0 && CopyContent(from, to) && ::fchmod(to, S_IRWXU) == 0;
    ::close(from);
    // A file still open for writing cannot be executed, so the copy is closed before use.
    if (to >= 0 && ::close(to) != 0) {
        copied = false;
    }
    if (!copied) {
        if (to >= 0) {
            ::unlink(copy.c_str());
        }
        return {};
    }
    return copy;
}

}  // namespace kestrun
