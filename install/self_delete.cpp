#include "install/self_delete.h"

#include <unistd.h>

#include <charconv>

#include "platform/detached_process.h"
#include "platform/instance_lock.h"
#include "platform/paths.h"
#include "platform/process_handle.h"
#include "platform/program_file.h"
#include "platform/temporary_copy.h"
#include "platform/temporary_folder.h"

namespace kestrun {
namespace {

constexpr std::string_view CopyPrefix = "Del";

bool ParseHandle(const std::string& text, int& handle) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, handle);
    return error == std::errc() && stop == end && !text.empty() && handle >= 0;
}

}  // namespace

bool RunsFromTemporaryFolder(std::string_view programFile, std::string_view temporaryFolder) {
    return FolderOf(programFile) == temporaryFolder;
}

int SelfDelete(const std::vector<std::string>& arguments) {
    if (arguments.size() == 1) {
        return StartSelfDelete(ProgramFilePath(), TemporaryFolder());
    }
    return FinishSelfDelete(arguments);
}

int StartSelfDelete(const std::string& programFile, const std::string& temporaryFolder) {
    const std::string copy = CopyToTemporaryFile(programFile, temporaryFolder, CopyPrefix);
    if (copy.empty()) {
        return 0;
    }
    const int handle = OpenInheritableProcessHandle();
    // Without a handle the copy would have nothing to wait on, so it is not started.
    if (handle >= 0) {
        // Passed as separate arguments, a folder with blanks cannot shift the fields.
        StartDetachedProcess({copy, std::to_string(handle), programFile});
        CloseProcessHandle(handle);
    }
    // The copy is running (or never will): its file can go, its image stays until it ends.
    ::unlink(copy.c_str());
    return 0;
}

int FinishSelfDelete(const std::vector<std::string>& arguments) {
    int handle = -1;
    if (arguments.size() != 3 || !ParseHandle(arguments[1], handle)) {
        return 0;
    }
    if (WaitForProcessHandle(handle)) {
        ::unlink(arguments[2].c_str());
        // This copy's random name is never used again: its instance lock goes with it.
        ::unlink(InstanceLockPath(ExecutableBaseName(ProgramFilePath())).c_str());
    }
    return 0;
}

}  // namespace kestrun
