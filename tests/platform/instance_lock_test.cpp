#include "platform/instance_lock.h"
#include "platform/program_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using State = InstanceLock::State;

TEST(InstanceLockTest, OnlyOneHolderUntilItIsReleased) {
    testing::TempFolder folder;
    const std::string path = folder.Path() + "kestrun.lock";
    {
        const InstanceLock first(path);
        ASSERT_EQ(first.GetState(), State::Held);
        const InstanceLock second(path);
        EXPECT_EQ(second.GetState(), State::HeldElsewhere);
    }
    const InstanceLock afterRelease(path);
    EXPECT_EQ(afterRelease.GetState(), State::Held);
}

// A holder that dies without cleaning up must not lock the program out for good.
TEST(InstanceLockTest, TheSystemReleasesTheLockOfAProcessThatDied) {
    testing::TempFolder folder;
    const std::string path = folder.Path() + "kestrun.lock";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const InstanceLock held(path);
        const char state = held.GetState() == State::Held ? 'h' : 'x';
        (void)!::write(ready[1], &state, 1);
        ::pause();
        std::_Exit(0);
    }
    ::close(ready[1]);
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(state, 'h');
    EXPECT_EQ(InstanceLock(path).GetState(), State::HeldElsewhere);

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(InstanceLock(path).GetState(), State::Held);
}

// The emulator started by the launcher must not keep the launcher's lock after it is gone.
TEST(InstanceLockTest, ChildProgramsDoNotInheritTheLock) {
    testing::TempFolder folder;
    const std::string path = folder.Path() + "kestrun.lock";
    const InstanceLock held(path);
    ASSERT_EQ(held.GetState(), State::Held);
    int lockDescriptors = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) != path) {
            continue;
        }
        ++lockDescriptors;
        const int fd = std::stoi(entry.path().filename().string());
        EXPECT_NE(::fcntl(fd, F_GETFD) & FD_CLOEXEC, 0);
    }
    EXPECT_EQ(lockDescriptors, 1);
}

// The lock is named after the program without its extension, even once its file is deleted.
TEST(InstanceLockTest, EachProgramNameAndUserHasItsOwnLockFile) {
    for (const char* file : {"/usr/bin/kestrun", "/opt/k/kestrun.exe", "/tmp/kestrun (deleted)"}) {
        EXPECT_EQ(ExecutableBaseName(file), "kestrun") << file;
    }
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedValue = saved != nullptr ? saved : "";
    ::setenv("XDG_RUNTIME_DIR", "/run/user/1000", 1);
    EXPECT_EQ(InstanceLockPath("kestrun"), "/run/user/1000/kestrun.lock");
    EXPECT_NE(InstanceLockPath("kestrun"), InstanceLockPath("kestrun-copy"));

    ::unsetenv("XDG_RUNTIME_DIR");
    const std::string fallback = InstanceLockPath("kestrun");
    EXPECT_TRUE(fallback.ends_with("/kestrun-" + std::to_string(::getuid()) + ".lock")) << fallback;
    if (saved != nullptr) {
        ::setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1);
    }
}

TEST(InstanceLockTest, AnUnusableLockFileGuardsNothingButStopsNoOne) {
    const InstanceLock lock("/nonexistent-folder/kestrun.lock");
    EXPECT_EQ(lock.GetState(), State::Unavailable);
}

}  // namespace
}  // namespace kestrun
