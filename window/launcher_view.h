#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "options/launch_options.h"

namespace kestrun {

// What the main window's logic asks of the window. The dialog implements it over its controls;
// tests record the calls. Every call happens on the user-interface thread.
class LauncherView {
  public:
    virtual ~LauncherView() = default;

    // Moves the controls' values into the options record and returns it.
    virtual LaunchOptions ReadBackOptions() = 0;
    virtual std::string GameText() const = 0;
    virtual void SetGameText(std::string_view text) = 0;
    // The current texts of the controller and resolution lists.
    virtual std::string ControllerText() const = 0;
    virtual std::string ResolutionText() const = 0;

    // The game box's history in the profile: loaded with the text it held at the last close,
    // saved with the text it holds now.
    virtual void LoadHistory() = 0;
    virtual void SaveHistory() = 0;
    virtual void InsertIntoHistory(std::string_view gameText) = 0;

    virtual void ShowMame32Choice(bool shown) = 0;
    virtual void EnableStretch(bool enabled) = 0;
    // Hiding keeps the window's modal run going.
    virtual void ShowWindow(bool shown) = 0;
    virtual void FocusGameBox() = 0;
    // The file decoded and fitted (to the full-screen area when fullScreen is set) into the
    // picture area; the built-in default picture when there is no file.
    virtual void ShowSnapshotPicture(const std::optional<std::string>& file, bool fullScreen) = 0;
    // The window without its caption over the whole 640x480 screen, or back as it was.
    virtual void ArrangeForFullScreen(bool fullScreen) = 0;
    // The file dialog of Browse; nothing when the user cancels it.
    virtual std::optional<std::string> AskForGameFile() = 0;
    // The window's caption.
    virtual void SetTitle(std::string_view title) = 0;
    // What the game box says about its game; empty gives the box its usual tooltip back.
    virtual void SetGameToolTip(std::string_view text) = 0;
    // How the history's items are described from now on (empty for an unknown game).
    virtual void DescribeHistory(std::function<std::string(std::string_view)> describe) = 0;
    // Ends the window's modal run.
    virtual void CloseWindow() = 0;
};

}  // namespace kestrun
