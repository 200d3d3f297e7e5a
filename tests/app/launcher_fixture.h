#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/qt_process_waiter.h"
#include "tests/app/launcher_window_access.h"
#include "tests/dialogs/recording_shell.h"
#include "tests/support/fixed_facts_source.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/recording_display_mode.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun::testing {

// A main window over a temporary program folder (with an emulator), a temporary home, an
// in-memory profile and scripted message boxes. The shortcut question is answered already
// unless a test clears the profile.
class LauncherFixture : public ::testing::Test, protected LauncherWindowAccess {
  protected:
    LauncherFixture();
    ~LauncherFixture() override { dialog.reset(); }

    // Makes the window and runs its start-up; Show also puts it on the screen.
    CLauncherDialog& Create();
    CLauncherDialog& Show();

    // An empty ROM set file roms/<name>.zip.
    void AddRomSet(const std::string& name) const;
    void AddSnapshot(const std::string& name, int width, int height) const {
        LauncherWindowAccess::AddSnapshot(ProgramFolder(), name, width, height);
    }

    const std::string& ProgramFolder() const { return folder.Path(); }

    NoMameOnPath noMameOnPath;
    TempHome home;
    TempFolder folder;
    MemoryProfileStore profile;
    ScriptedMessageBox messages;
    RecordingDisplayMode display;
    RecordingShell shell;
    QtProcessWaiter waiter;
    FixedFactsSource facts;
    // What the window learns the emulator's facts from; the fixed facts unless a test says.
    EmulatorFactsSource* factsSource = &facts;
    LauncherEnvironment environment;
};

}  // namespace kestrun::testing
