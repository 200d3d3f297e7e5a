#pragma once

#include <string>
#include <vector>

#include "window/launcher_view.h"

namespace kestrun::testing {

// A window that keeps the game box's text and logs the pictures it is asked to show as
// "picture:<file or default>[ full]"; what the model tests do not look at it ignores.
class RecordingView final : public LauncherView {
  public:
    LaunchOptions ReadBackOptions() override { return {}; }
    std::string GameText() const override { return text; }
    void SetGameText(std::string_view shown) override { text = shown; }
    std::string ControllerText() const override { return {}; }
    std::string ResolutionText() const override { return "Auto"; }
    void LoadHistory() override { text = restoredText; }
    void SaveHistory() override {}
    void InsertIntoHistory(std::string_view) override {}
    void ShowMame32Choice(bool shown) override { mame32Shown = shown; }
    void EnableStretch(bool) override {}
    void ShowWindow(bool) override {}
    void FocusGameBox() override {}
    void ShowSnapshotPicture(const std::optional<std::string>& file, bool fullScreen) override {
        log.push_back("picture:" + file.value_or("default") + (fullScreen ? " full" : ""));
    }
    void ArrangeForFullScreen(bool) override {}
    std::optional<std::string> AskForGameFile() override { return browseAnswer; }
    void SetTitle(std::string_view) override {}
    void SetGameToolTip(std::string_view) override {}
    void DescribeHistory(std::function<std::string(std::string_view)>) override {}
    void CloseWindow() override { log.push_back("close"); }

    std::string text;
    std::string restoredText;
    std::optional<std::string> browseAnswer;
    std::vector<std::string> log;
    bool mame32Shown = false;
};

}  // namespace kestrun::testing
