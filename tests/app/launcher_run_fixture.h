#pragma once

#include <string>
#include <vector>

#include "platform/qt_process_waiter.h"
#include "tests/app/launcher_window_access.h"
#include "tests/dialogs/recording_shell.h"
#include "tests/runner/emulator_fixture.h"
#include "tests/start/output_stream_file.h"
#include "tests/support/fixed_facts_source.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/recording_display_mode.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun::testing {

// The main window over a program folder whose mame.exe is the test emulator, with a temporary
// home, an in-memory profile, scripted message boxes, the recording display double and a
// temporary file standing in for standard error.
class LauncherRunTest : public EmulatorTest, protected LauncherWindowAccess {
  public:
    // Case tables are built outside the fixture.
    using EmulatorTest::Pattern;

  protected:
    LauncherRunTest();
    ~LauncherRunTest() override { dialog.reset(); }

    // Makes the window over the given display service, runs its start-up and shows it.
    CLauncherDialog& Show(DisplayModeService& displayService);
    CLauncherDialog& Show() { return Show(display); }

    void AddSnapshot(const std::string& name, int width, int height) const {
        LauncherWindowAccess::AddSnapshot(ProgramFolder(), name, width, height);
    }
    bool EmulatorRan() const;
    void ForgetRun() const;
    std::vector<std::string> Captions() const;
    std::string HistoryTop() const;

    NoMameOnPath noMameOnPath;
    TempHome home;
    MemoryProfileStore profile;
    ScriptedMessageBox messages;
    RecordingDisplayMode display;
    RecordingShell shell;
    QtProcessWaiter waiter;
    FixedFactsSource facts;
    OutputStreamFile errorOutput;
};

}  // namespace kestrun::testing
