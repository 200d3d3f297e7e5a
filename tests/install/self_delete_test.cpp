#include "install/self_delete.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "tests/install/file_helpers.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using namespace std::chrono_literals;
using testing::Exists;
using testing::NamesIn;

// Waits for something another process does; the deadline only bounds a failing test.
bool Eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

TEST(SelfDeleteWaitingSide, DeletesNothingWithoutAValidProcessHandle) {
    testing::TempFolder folder;
    const std::string programFile = folder.WriteFile("kestrun");
    const int plainFile = ::open(programFile.c_str(), O_RDONLY | O_CLOEXEC);
    const std::vector<std::vector<std::string>> cases = {
        {"Del1.tmp", "", programFile},
        {"Del1.tmp", "abc", programFile},
        {"Del1.tmp", "-1", programFile},
        {"Del1.tmp", "5x", programFile},
        {"Del1.tmp", "99999", programFile},
        {"Del1.tmp", std::to_string(plainFile), programFile},
        {"Del1.tmp", "0"},
        {"Del1.tmp", "0", programFile, "extra"},
    };
    for (const auto& arguments : cases) {
        EXPECT_EQ(FinishSelfDelete(arguments), 0) << arguments[1];
        EXPECT_TRUE(Exists(programFile)) << arguments[1];
    }
    EXPECT_EQ(::fcntl(plainFile, F_GETFD), FD_CLOEXEC) << "a foreign descriptor was closed";
    ::close(plainFile);
}

// The probe program uninstalls itself from a program folder, with the temporary folder (whose
// path has blanks) and the home folder pointed into this test's own folders. Without a runtime
// folder its instance locks live in the temporary folder, where the lock of the program's own
// name stays as after any run.
class SelfDeleteEndToEnd : public ::testing::Test {
  protected:
    SelfDeleteEndToEnd()
        : temporary_(root_.MakeFolder("temporary files") + "/"),
          output_(root_.Path() + "probe output.txt"),
          ownLock_("kestrun-" + std::to_string(::getuid()) + ".lock") {}

    std::string InstallProbe(const std::string& folder) const {
        const std::string program = folder + "kestrun";
        std::filesystem::copy_file(KESTRUN_UNINSTALL_PROBE, program);
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        return program;
    }

    // Runs the program to its end and returns its exit code.
    int Run(const std::string& program) const {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setenv("TMPDIR", temporary_.c_str(), 1);
            ::unsetenv("XDG_RUNTIME_DIR");
            ::dup2(::open(output_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
            ::execl(program.c_str(), program.c_str(), nullptr);
            ::_exit(127);
        }
        int status = 0;
        return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    testing::TempHome home_;
    testing::TempFolder root_;
    std::string temporary_;
    std::string output_;
    std::string ownLock_;
};

TEST_F(SelfDeleteEndToEnd, UninstalledProgramFileGoesOnlyAfterTheProcessEnded) {
    const std::string programFolder = root_.MakeFolder("program folder") + "/";
    const std::string program = InstallProbe(programFolder);
    root_.WriteFile("program folder/kestrun.htm");
    root_.WriteFile("program folder/mame.exe");
    home_.Folder().WriteFile("home/Desktop/Kestrun.desktop");

    EXPECT_EQ(Run(program), 0);

    EXPECT_EQ(testing::ReadWholeFile(output_), "program file present\n");
    EXPECT_TRUE(Eventually([&] { return !Exists(program); }));
    EXPECT_THAT(NamesIn(programFolder), ::testing::ElementsAre("mame.exe"));
    EXPECT_FALSE(Exists(home_.Folder().Path() + "home/Desktop/Kestrun.desktop"));
    EXPECT_TRUE(Eventually([&] { return NamesIn(temporary_) == std::vector{ownLock_}; }))
        << ::testing::PrintToString(NamesIn(temporary_));
}

TEST_F(SelfDeleteEndToEnd, CopyStartedPlainlyInTheTemporaryFolderRemovesItselfTheSameWay) {
    const std::string program = InstallProbe(temporary_);

    EXPECT_EQ(Run(program), 0);

    EXPECT_EQ(testing::ReadWholeFile(output_), "");
    EXPECT_TRUE(Eventually([&] { return NamesIn(temporary_) == std::vector{ownLock_}; }));
}

}  // namespace
}  // namespace kestrun
