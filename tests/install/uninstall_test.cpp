#include "install/uninstall.h"

#include "install/desktop_shortcut.h"
#include "install/self_delete.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/install/file_helpers.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using namespace std::chrono_literals;
using std::filesystem::exists;
using testing::NamesIn;

// Removing the components of a real program folder and its self-deletion are seen end to end
// below; here, what each answer does, and in which order.
TEST(UninstallTest, OnlyYesRemovesTheComponentsAndAnInstalledProgramKeepsAllButTheShortcut) {
    testing::TempHome home;
    testing::TempFolder program;
    const std::string game = program.WriteFile("roms/005.zip");
    const std::string components[] = {home.Folder().Path() + "home/Desktop/Kestrun.desktop",
                                      UserIconPath(ProgramIconName, 64),
                                      program.Path() + "kestrun.htm"};
    const auto present = [&] {
        return std::vector{exists(components[0]), exists(components[1]), exists(components[2])};
    };
    std::vector<std::string> events;
    UninstallEnvironment environment;
    environment.programFolder = program.Path();
    environment.startSelfDelete = [&] {
        events.push_back(present() == std::vector(3, false) ? "self-delete" : "too early");
    };
    environment.endProcess = [&](int code) { events.push_back("exit " + std::to_string(code)); };
    const struct {
        bool installed;
        MessageResult answer;
        const char* question;
        std::vector<bool> left;
        std::vector<std::string> events;
    } runs[] = {
        {false, MessageResult::No, "remove Kestrun and all of its components?", {1, 1, 1}, {}},
        {false, MessageResult::Yes, "", {0, 0, 0}, {"self-delete", "exit 0"}},
        {true, MessageResult::Yes, "sudo apt remove kestrun", {0, 1, 1}, {}},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(::testing::PrintToString(run.left));
        for (const std::string& file : components) {
            program.WriteFile(file);  // the absolute path replaces the folder's
        }
        testing::MemoryProfileStore profile;
        testing::ScriptedMessageBox messages;
        messages.Answer(run.answer);
        events.clear();
        environment.installed = run.installed;

        UninstallProgram(messages, profile, environment);

        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_THAT(messages.Shown()[0].text, ::testing::HasSubstr(run.question));
        EXPECT_EQ(messages.Shown()[0].caption,
                  run.installed ? "Uninstall" : "Confirm File Deletion");
        EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(present(), run.left);
        const bool yes = run.answer == MessageResult::Yes;
        EXPECT_EQ(profile.Values().size(), yes ? 1u : 0u);
        EXPECT_EQ(profile.GetProfileInt(ProfileSection, "Shortcut", 1), yes ? 0 : 1);
        EXPECT_EQ(events, run.events);
        EXPECT_TRUE(exists(game));
    }
}

TEST(SelfDeleteWaitingSide, DeletesNothingWithoutAValidProcessHandle) {
    testing::TempFolder folder;
    const std::string programFile = folder.WriteFile("kestrun");
    const int plainFile = ::open(programFile.c_str(), O_RDONLY | O_CLOEXEC);
    const std::string plain = std::to_string(plainFile);
    EXPECT_EQ(FinishSelfDelete({"Del1.tmp", "0"}), 0);
    for (const std::string handle : {"", "abc", "-1", "5x", "99999", plain.c_str()}) {
        EXPECT_EQ(FinishSelfDelete({"Del1.tmp", handle, programFile}), 0) << handle;
        EXPECT_TRUE(exists(programFile)) << handle;
    }
    EXPECT_EQ(::fcntl(plainFile, F_GETFD), FD_CLOEXEC) << "a foreign descriptor was closed";
    ::close(plainFile);
}

// The probe program uninstalls itself from a program folder, with the temporary folder (whose
// path has blanks) and the home folder pointed into this test's own folders; a copy of it
// started plainly in the temporary folder removes itself the same way. Without a runtime
// folder its instance locks live in the temporary folder, where the lock of the program's own
// name stays as after any run.
TEST(SelfDeleteEndToEnd, TheProgramFileGoesOnlyAfterTheProcessEnded) {
    testing::TempHome home;
    testing::TempFolder root;
    const std::string temporary = root.MakeFolder("temporary files") + "/";
    const std::string programFolder = root.MakeFolder("program folder") + "/";
    const std::string output = root.Path() + "probe output.txt";
    root.WriteFile("program folder/kestrun.htm");
    root.WriteFile("program folder/mame.exe");
    home.Folder().WriteFile("home/Desktop/Kestrun.desktop");
    // Runs the probe copied into the folder to its end and gives its output.
    const auto run = [&](const std::string& folder) {
        std::filesystem::copy_file(KESTRUN_UNINSTALL_PROBE, folder + "kestrun");
        const std::string command = "env -u XDG_RUNTIME_DIR TMPDIR='" + temporary + "' '" + folder +
                                    "kestrun' > '" + output + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return testing::ReadWholeFile(output);
    };
    // Waits for what the other processes do; the deadline only bounds a failing test.
    const std::set<std::string> onlyTheLock{"kestrun-" + std::to_string(::getuid()) + ".lock"};
    const auto temporaryEmptied = [&] {
        for (auto deadline = std::chrono::steady_clock::now() + 10s;
             NamesIn(temporary) != onlyTheLock && std::chrono::steady_clock::now() < deadline;) {
            std::this_thread::sleep_for(10ms);
        }
        return NamesIn(temporary);
    };

    EXPECT_EQ(run(programFolder), "program file present\n");
    EXPECT_EQ(temporaryEmptied(), onlyTheLock);
    EXPECT_THAT(NamesIn(programFolder), ::testing::ElementsAre("mame.exe"));
    EXPECT_FALSE(exists(home.Folder().Path() + "home/Desktop/Kestrun.desktop"));

    EXPECT_EQ(run(temporary), "");
    EXPECT_EQ(temporaryEmptied(), onlyTheLock);
}

}  // namespace
}  // namespace kestrun
