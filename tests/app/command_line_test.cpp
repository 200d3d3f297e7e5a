#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <optional>

#include "platform/instance_lock.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, ReadsEachOptionAndTheGameAndRefusesTheRest) {
    struct Case {
        std::vector<std::string> arguments;  // after the program name
        Action action;
        std::optional<std::string> folder;
        std::optional<std::string> game;
        const char* message;  // a part of the printed text
    };
    const Case cases[] = {
        {{}, Action::Run, std::nullopt, std::nullopt, ""},
        {{"pacman"}, Action::Run, std::nullopt, "pacman", ""},
        {{"--folder", "/srv/g"}, Action::Run, "/srv/g", std::nullopt, ""},
        {{"--folder=my games", "roms/dkong.zip"}, Action::Run, "my games", "roms/dkong.zip", ""},
        {{"--help"}, Action::ShowHelp, std::nullopt, std::nullopt, "--folder <DIR>"},
        {{"-h"}, Action::ShowHelp, std::nullopt, std::nullopt, " [options] [game]\n"},
        {{"--version"}, Action::ShowVersion, std::nullopt, std::nullopt, "Kestrun 9.8.7\n"},
        {{"--bogus"}, Action::Refuse, std::nullopt, std::nullopt, "Unknown option 'bogus'."},
        {{"-x", "pacman"}, Action::Refuse, std::nullopt, std::nullopt, "'x'.\n\nUsage: "},
        {{"pacman", "galaga"}, Action::Refuse, std::nullopt, std::nullopt, "one game"},
        {{"--folder"}, Action::Refuse, std::nullopt, std::nullopt, "--folder"},
        {{"--folder", ""}, Action::Refuse, std::nullopt, std::nullopt, "empty"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"/usr/bin/kestrun"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const std::string trace = c.arguments.empty() ? "(none)" : c.arguments.front();
        const CommandLine read = ParseCommandLine(arguments, "9.8.7");
        EXPECT_EQ(read.action, c.action) << trace;
        EXPECT_EQ(read.folder, c.folder) << trace;
        EXPECT_EQ(read.game, c.game) << trace;
        EXPECT_NE(read.message.find(c.message), std::string::npos) << trace << ": " << read.message;
    }
}

// The real program answers before it takes the single-instance lock or needs a display, and
// names itself in the usage line. A second start, while another holds the lock, ends at once
// without a message: were it to go on, it would fail for want of a display.
TEST(CommandLineTest, TheProgramAnswersOrEndsBeforeItNeedsADisplay) {
    struct Case {
        QStringList arguments;
        bool lockHeld;
        int exitCode;
        const char* out;
        const char* error;
    };
    const Case cases[] = {
        {{"--help"}, false, 0, "Usage: kestrun [options] [game]", ""},
        {{"--nonsense"}, false, 2, "", "Usage: kestrun [options] [game]"},
        {{}, true, 0, "", ""},
    };
    for (const Case& c : cases) {
        const std::string trace = c.arguments.join(" ").toStdString();
        testing::TempFolder runtime;
        std::optional<InstanceLock> first;
        if (c.lockHeld) {
            ASSERT_EQ(first.emplace(runtime.Path() + "kestrun.lock").GetState(),
                      InstanceLock::State::Held);
        }
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("QT_QPA_PLATFORM");
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.Path()));
        program.setProcessEnvironment(environment);
        program.start(KESTRUN_EXECUTABLE, c.arguments);
        ASSERT_TRUE(program.waitForFinished(20000)) << trace;
        const QByteArray out = program.readAllStandardOutput();
        const QByteArray error = program.readAllStandardError();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << trace;
        EXPECT_EQ(program.exitCode(), c.exitCode) << trace;
        EXPECT_EQ(out.isEmpty(), *c.out == '\0') << trace;
        EXPECT_TRUE(out.contains(c.out)) << out.toStdString();
        EXPECT_EQ(error.isEmpty(), *c.error == '\0') << trace;
        EXPECT_TRUE(error.contains(c.error)) << error.toStdString();
    }
}

}  // namespace
}  // namespace kestrun
