#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QThreadPool>
#include <filesystem>
#include <fstream>

#include "app/launcher_dialog.h"
#include "platform/qt_process_waiter.h"
#include "platform/temporary_folder.h"
#include "res/resource_ids.h"
#include "tests/launch/runner/emulator_fixture.h"
#include "tests/launch/start/output_stream_file.h"
#include "tests/support/fixed_facts_source.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/recording_display_mode.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_message_box.h"
#include "tests/ui/qt_application.h"

namespace kestrun::testing {

// The main window over a program folder whose mame.exe is the test emulator, with a temporary
// home, an in-memory profile, scripted message boxes, the recording display double and a
// temporary file standing in for standard error. The shortcut question is answered already.
class LauncherFixture : public EmulatorTest {
  protected:
    LauncherFixture() {
        profile.WriteProfileInt(ProfileSection, "Shortcut", 1);
        profile.ClearLog();
        environment.programFile = ProgramFolder() + "kestrun";
        environment.temporaryFolder = TemporaryFolder();
        environment.arguments = {environment.programFile};
        environment.outputStream = errorOutput.Get();
    }

    // Makes the window over the given display service, runs its start-up and shows it.
    CLauncherDialog& Show(DisplayModeService* displayService = nullptr) {
        dialog = std::make_unique<CLauncherDialog>(
            LauncherServices{profile, messages, displayService ? *displayService : display, shell,
                             waiter, *factsSource},
            environment);
        dialog->Create();
        ShowActive(*dialog);
        return *dialog;
    }
    // A file under the program folder, with its folders; returns its path.
    std::string WriteFile(const std::string& name, const std::string& content = "PK") const {
        const std::filesystem::path path = ProgramFolder() + name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    void AddSnapshot(const std::string& name, int width, int height) const {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        ASSERT_TRUE(image.save(QString::fromStdString(WriteFile("snap/" + name + ".png", ""))));
    }
    std::string BoxText() const { return dialog->GetDlgItemText(ids::GameBox).toStdString(); }
    // Replaces the game box text key by key, as the user types it; a tab would leave the box.
    void TypeGame(const std::string& text) {
        QLineEdit* edit = dialog->Item<QComboBox>(ids::GameBox)->lineEdit();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromStdString(text));
    }
    QAbstractButton& Button(int id) const { return *dialog->Item<QAbstractButton>(id); }
    // Snapshots are decoded on the thread pool, begun from and shown through the event loop.
    const QLabel& Picture() const {
        QCoreApplication::processEvents();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        return *dialog->Item<QLabel>(ids::SnapshotPicture);
    }

    NoMameOnPath noMameOnPath;
    TempHome home;
    MemoryProfileStore profile;
    ScriptedMessageBox messages;
    RecordingDisplayMode display;
    RecordingShell shell;
    QtProcessWaiter waiter;
    FixedFactsSource facts;
    // What the window learns the emulator's facts from; the fixed facts unless a test says.
    EmulatorFactsSource* factsSource = &facts;
    OutputStreamFile errorOutput;
    LauncherEnvironment environment;
    std::unique_ptr<CLauncherDialog> dialog;
};

}  // namespace kestrun::testing
