// Runs Uninstall the way the launcher does, answering Yes, with a profile in memory, holding
// its instance lock as the launcher does. Run from the temporary folder it takes the copy's
// part instead. Before it ends it reports on standard
// output whether its program file still exists, after a pause that gives a copy that does not
// wait time to delete it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "install/self_delete.h"
#include "install/uninstall.h"
#include "platform/file_system.h"
#include "platform/instance_lock.h"
#include "platform/paths.h"
#include "platform/program_file.h"
#include "platform/temporary_folder.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/scripted_message_box.h"

namespace {

void ReportProgramFileThenExit(const std::string& programFile, int exitCode) {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::puts(kestrun::FileExists(programFile) ? "program file present" : "program file gone");
    std::fflush(stdout);
    std::exit(exitCode);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    const std::string programFile = kestrun::ProgramFilePath();
    const std::string programFolder = kestrun::FolderOf(programFile);
    const kestrun::InstanceLock lock(
        kestrun::InstanceLockPath(kestrun::ExecutableBaseName(programFile)));
    if (programFolder == kestrun::TemporaryFolder()) {
        return kestrun::SelfDelete(arguments);
    }
    kestrun::testing::ScriptedMessageBox messages;
    kestrun::testing::MemoryProfileStore profile;
    kestrun::UninstallEnvironment environment = kestrun::ProcessUninstallEnvironment(programFolder);
    environment.endProcess = [&programFile](int exitCode) {
        ReportProgramFileThenExit(programFile, exitCode);
    };
    kestrun::UninstallProgram(messages, profile, environment);
    return EXIT_FAILURE;
}
