#pragma once

#include <string>
#include <string_view>

#include "launch/start_command.h"

namespace kestrun {

class CLauncherDialog;

// The Start command's view of the main window: its controls, its history and its
// full-screen mode.
class LauncherStartHost final : public StartHost {
  public:
    explicit LauncherStartHost(CLauncherDialog& dialog) : dialog_(dialog) {}

    LaunchOptions ReadBackOptions() override;
    std::string GameText() const override;
    std::string ControllerText() const override;
    std::string ResolutionText() const override;
    void InsertIntoHistory(std::string_view gameText) override;

    void HideWindow() override;
    void ShowWindow() override;
    bool DisplaySwitched() const override;
    void ToggleFullScreen() override;

    void ShowSnapshot(std::string_view gameText) override;
    void FocusGameBox() override;

  private:
    CLauncherDialog& dialog_;
};

}  // namespace kestrun
