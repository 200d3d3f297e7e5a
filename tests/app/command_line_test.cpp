#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <optional>

#include "app/termination_close.h"
#include "platform/instance_lock.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

// The folder and the game, in each spelling of the option.
TEST(CommandLineTest, ReadsTheFolderAndTheGame) {
    using Read = std::pair<std::optional<std::string>, std::optional<std::string>>;
    const std::pair<std::vector<std::string>, Read> cases[] = {
        {{"kestrun"}, {}},
        {{"kestrun", "--folder=my games", "roms/dkong.zip"}, {"my games", "roms/dkong.zip"}},
        {{"kestrun", "--folder", "/srv/g"}, {"/srv/g", std::nullopt}},
    };
    for (const auto& [arguments, expected] : cases) {
        const CommandLine read = ParseCommandLine(arguments, "9.8.7");
        EXPECT_EQ(read.action, CommandLine::Action::Run) << arguments.size();
        EXPECT_EQ(Read(read.folder, read.game), expected) << arguments.size();
    }
}

// The real program answers, or refuses with its usage, before it takes the single-instance lock
// or needs a display, and names itself in the usage line. A second start, while another holds
// the lock, ends at once without a message: were it to go on, it would fail for want of a
// display.
TEST(CommandLineTest, TheProgramAnswersOrEndsBeforeItNeedsADisplay) {
    struct Case {
        QStringList arguments;
        int exitCode;
        QByteArray out;    // a part of it; empty when nothing is printed
        QByteArray error;  // likewise
    };
    const Case cases[] = {
        {{"--help"}, 0, "Usage: kestrun [options] [game]", ""},
        {{"--version"}, 0, "Kestrun ", ""},
        {{"-x", "pacman"}, 2, "", "Unknown option 'x'.\n\nUsage: kestrun [options] [game]"},
        {{"pacman", "galaga"}, 2, "", "Only one game"},
        {{"--folder"}, 2, "", "--folder"},
        {{"--folder", ""}, 2, "", "empty"},
        {{}, 0, "", ""},  // the lock is held
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(" ").toStdString());
        testing::TempFolder runtime;
        std::optional<InstanceLock> first;
        if (c.arguments.isEmpty()) {
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
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), c.exitCode);
        const QByteArray out = program.readAllStandardOutput();
        EXPECT_TRUE(c.out.isEmpty() ? out.isEmpty() : out.contains(c.out)) << out.data();
        const QByteArray error = program.readAllStandardError();
        EXPECT_TRUE(c.error.isEmpty() ? error.isEmpty() : error.contains(c.error)) << error.data();
    }
}

// Started for real beside an emulator, the program gets through its start-up to the window;
// a termination signal then ends it as Exit does, with its options saved.
TEST(CommandLineTest, TheProgramStartsAndEndsOnATerminationSignal) {
    const testing::TempFolder folder;
    std::filesystem::copy_file(KESTRUN_EXECUTABLE, folder.Path() + "kestrun");
    std::filesystem::permissions(folder.WriteFile("mame.exe"), std::filesystem::perms::owner_all);
    // The shortcut question answered before, so that nothing stands before the window.
    folder.WriteFile(".config/Pellworth/kestrun.ini", "[Kestrun]\nShortcut=1\n");
    const QString home = QString::fromStdString(folder.Path());
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", home);
    environment.insert("XDG_CONFIG_HOME", home + ".config");
    environment.insert("XDG_RUNTIME_DIR", home);
    program.setProcessEnvironment(environment);
    program.start(home + "kestrun", {});
    // Long enough to reach the window on a busy machine; a signal before it is kept until then.
    EXPECT_FALSE(program.waitForFinished(1500)) << program.readAllStandardError().data();
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().data();
    QFile profile(home + ".config/Pellworth/kestrun.ini");
    ASSERT_TRUE(profile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(profile.readAll().contains("\nVideo="));
}

// A real signal while a question is open dismisses the question. During start-up, before the
// window is shown and handed over, the request is only remembered; after, the window is closed
// through its own close, never dismissed like the question.
TEST(TerminationCloseTest, ASignalDismissesOpenDialogsAndThenClosesTheWindow) {
    TerminationClose termination;
    QDialog window;
    int closes = 0;
    for (const bool handedOver : {false, true}) {
        SCOPED_TRACE(handedOver ? "handed over" : "during start-up");
        if (handedOver) {
            window.show();
            termination.CloseWith(window, [&closes] { ++closes; });
        }
        QMessageBox question;
        QTimer::singleShot(0, [] { ::raise(SIGTERM); });
        // Only for a failing test: the question would otherwise stay open for good.
        QTimer::singleShot(10000, &question, [&] { question.done(12345); });
        EXPECT_NE(question.exec(), 12345);
        EXPECT_TRUE(termination.Requested());
        EXPECT_EQ(window.isVisible(), handedOver);
        EXPECT_EQ(closes, handedOver ? 1 : 0);
    }
}

}  // namespace
}  // namespace kestrun
