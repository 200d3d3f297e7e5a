#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <memory>
#include <string>
#include <vector>

#include "app/launcher_dialog.h"
#include "tests/dialogs/recording_shell.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/recording_display_mode.h"
#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun::testing {

// A main window over a temporary program folder (with an emulator), a temporary home, an
// in-memory profile and scripted message boxes. The shortcut question is answered already
// unless a test clears the profile.
class LauncherFixture : public ::testing::Test {
  protected:
    LauncherFixture();

    // Makes the window and runs its start-up; Show also puts it on the screen.
    CLauncherDialog& Create();
    CLauncherDialog& Show();

    // An empty ROM set file roms/<name>.zip.
    void AddRomSet(const std::string& name) const;
    // A PNG snapshot snap/<name>.png of the given size.
    void AddSnapshot(const std::string& name, int width, int height) const;

    const std::string& ProgramFolder() const { return folder.Path(); }
    std::string BoxText() const;
    void TypeGame(const std::string& text);
    QLabel& Picture() const;
    // True when the picture area shows the built-in default picture.
    bool ShowsDefaultPicture() const;
    bool GameBoxHasFocus() const;
    void Exit();

    TempHome home;
    TempFolder folder;
    MemoryProfileStore profile;
    ScriptedMessageBox messages;
    RecordingDisplayMode display;
    RecordingShell shell;
    LauncherEnvironment environment;
    std::unique_ptr<CLauncherDialog> dialog;
};

}  // namespace kestrun::testing
