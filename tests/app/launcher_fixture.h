#pragma once

#include <QLabel>
#include <memory>
#include <string>
#include <vector>

#include "app/launcher_dialog.h"
#include "platform/qt_process_waiter.h"
#include "tests/launch/runner/emulator_fixture.h"
#include "tests/launch/start/output_stream_file.h"
#include "tests/support/fixed_facts_source.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/recording_display_mode.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun::testing {

// The main window over a program folder whose mame.exe is the test emulator, with a temporary
// home, an in-memory profile, scripted message boxes, the recording display double and a
// temporary file standing in for standard error. The shortcut question is answered already
// unless a test clears the profile.
class LauncherFixture : public EmulatorTest {
  protected:
    LauncherFixture();
    ~LauncherFixture() override { dialog.reset(); }

    // Makes the window over the given display service, runs its start-up and shows it.
    CLauncherDialog& Show(DisplayModeService& displayService);
    CLauncherDialog& Show() { return Show(display); }

    // A file under the program folder, with its folders; returns its path.
    std::string WriteFile(const std::string& name, const std::string& content = "PK") const;
    // A ROM set file roms/<name>.zip.
    void AddRomSet(const std::string& name) const { WriteFile("roms/" + name + ".zip"); }
    // A PNG snapshot snap/<name>.png of the given size.
    void AddSnapshot(const std::string& name, int width, int height) const;
    bool EmulatorRan() const;
    void ForgetRun() const;
    std::vector<std::string> Captions() const;
    std::string HistoryTop() const;

    std::string BoxText() const;
    // Replaces the game box text through real key events; a tab would leave the box.
    void TypeGame(const std::string& text);
    void Click(int controlId);
    QLabel& Picture() const;
    // True when the picture area shows the built-in default picture.
    bool ShowsDefaultPicture() const;
    bool GameBoxHasFocus() const;

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
