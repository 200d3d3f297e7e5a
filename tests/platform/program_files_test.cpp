#include "platform/file_system.h"
#include "platform/instance_lock.h"
#include "platform/paths.h"
#include "platform/program_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>

#include "tests/support/temp_folder.h"

extern char** environ;

namespace kestrun {
namespace {

using State = InstanceLock::State;

// A holder that dies without cleaning up must not lock the program out for good; one that
// lives holds it against every other, in any process, until it lets go.
TEST(InstanceLockTest, OnlyOneHolderUntilItLetsGoOrItsProcessDies) {
    testing::TempFolder folder;
    const std::string path = folder.Path() + "kestrun.lock";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const InstanceLock held(path);
        if (held.GetState() == State::Held && ::write(ready[1], "h", 1) == 1) {
            ::pause();
        }
        std::_Exit(0);
    }
    ::close(ready[1]);
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1) << "the child did not get the lock";
    ::close(ready[0]);
    EXPECT_EQ(InstanceLock(path).GetState(), State::HeldElsewhere);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    // A child program started meanwhile, like the emulator, must not keep the lock once the
    // holder let go. posix_spawn returns once the child runs the new program.
    std::optional<InstanceLock> first(std::in_place, path);
    ASSERT_EQ(first->GetState(), State::Held);
    EXPECT_EQ(InstanceLock(path).GetState(), State::HeldElsewhere);
    pid_t program = -1;
    const char* argv[] = {"sleep", "10", nullptr};
    ASSERT_EQ(
        ::posix_spawn(&program, "/bin/sleep", nullptr, nullptr, const_cast<char**>(argv), environ),
        0);
    first.reset();
    EXPECT_EQ(InstanceLock(path).GetState(), State::Held);
    ::kill(program, SIGKILL);
    ::waitpid(program, nullptr, 0);
    EXPECT_EQ(InstanceLock("/nonexistent-folder/kestrun.lock").GetState(), State::Unavailable);
}

// The lock is named after the program without its extension, even once its file is deleted.
TEST(ProgramFiles, NamesTheProgramTellsFilesFromFoldersAndSplitsPaths) {
    for (const char* file : {"/usr/bin/kestrun", "/opt/k/kestrun.exe", "/tmp/kestrun (deleted)"}) {
        EXPECT_EQ(ExecutableBaseName(file), "kestrun") << file;
    }
    testing::TempFolder folder;
    const std::string file = folder.WriteFile("mame.exe", "x");
    const std::string dir = folder.MakeFolder("mamepp.exe");
    EXPECT_TRUE(FileExists(file) && FolderExists(dir));
    EXPECT_FALSE(FileExists(dir) || FolderExists(file) || FileExists(folder.Path() + "mame32"));
    EXPECT_EQ(FolderOf("/opt/kestrun/kestrun"), "/opt/kestrun/");
    EXPECT_EQ(FolderOf("kestrun"), "");
    EXPECT_EQ(BaseNameOf("/opt/kestrun/kestrun"), "kestrun");
    EXPECT_EQ(BaseNameOf("pacman"), "pacman");
}

}  // namespace
}  // namespace kestrun
