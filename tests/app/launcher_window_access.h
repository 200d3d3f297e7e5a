#pragma once

#include <QLabel>
#include <memory>
#include <string>

#include "app/launcher_dialog.h"

namespace kestrun::testing {

// What the main window's tests read from and do to the window, shared by the fixtures with a
// stand-in emulator and with the test emulator.
class LauncherWindowAccess {
  protected:
    std::string BoxText() const;
    // Replaces the game box text through real key events; a tab would leave the box.
    void TypeGame(const std::string& text);
    void Click(int controlId);
    QLabel& Picture() const;
    // True when the picture area shows the built-in default picture.
    bool ShowsDefaultPicture() const;
    bool GameBoxHasFocus() const;

    // A PNG snapshot <programFolder>snap/<name>.png of the given size.
    static void AddSnapshot(const std::string& programFolder, const std::string& name, int width,
                            int height);

    std::unique_ptr<CLauncherDialog> dialog;
};

}  // namespace kestrun::testing
