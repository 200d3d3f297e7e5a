#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/launcher_dialog.h"
#include "tests/dialogs/recording_shell.h"
#include "tests/runner/emulator_fixture.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/recording_display_mode.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun::testing {

// The main window over a program folder whose mame.exe is the test emulator, with a temporary
// home, an in-memory profile, scripted message boxes, the recording display double and a
// temporary file standing in for standard error.
class LauncherRunTest : public EmulatorTest {
  public:
    // Case tables are built outside the fixture.
    using EmulatorTest::Pattern;

  protected:
    LauncherRunTest();
    ~LauncherRunTest() override;

    // Makes the window over the given display service, runs its start-up and shows it.
    CLauncherDialog& Show(DisplayModeService& displayService);
    CLauncherDialog& Show() { return Show(display); }

    void TypeGame(const std::string& text);
    void SetChecked(int controlId, bool checked);
    void Click(int controlId);
    bool EmulatorRan() const;
    void ForgetRun() const;
    // Everything the window wrote to its standard error stand-in.
    std::string ErrorOutput();
    std::vector<std::string> Captions() const;
    std::string HistoryTop() const;
    bool GameBoxHasFocus() const;

    TempHome home;
    MemoryProfileStore profile;
    ScriptedMessageBox messages;
    RecordingDisplayMode display;
    RecordingShell shell;
    std::unique_ptr<CLauncherDialog> dialog;

  private:
    std::FILE* errorStream_;
};

}  // namespace kestrun::testing
