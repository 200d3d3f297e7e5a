#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "window/launcher_view.h"

namespace kestrun::testing {

// A window that keeps the game box's text and options record and logs what it is asked to
// show: "picture:<file or default>[ full]", "arrange:<on|off>", "hide", "show", "history",
// "save-history", "close".
class RecordingView final : public LauncherView {
  public:
    LaunchOptions ReadBackOptions() override { return options; }
    std::string GameText() const override { return text; }
    void SetGameText(std::string_view shown) override { text = shown; }
    std::string ControllerText() const override { return {}; }
    std::string ResolutionText() const override { return "Auto"; }
    void LoadHistory() override { text = restoredText; }
    void SaveHistory() override { log.push_back("save-history"); }
    void InsertIntoHistory(std::string_view gameText) override { history.emplace_back(gameText); }
    void ShowMame32Choice(bool shown) override { mame32Shown = shown; }
    void EnableStretch(bool enabled) override { stretchEnabled = enabled; }
    void ShowWindow(bool shown) override { log.push_back(shown ? "show" : "hide"); }
    void FocusGameBox() override {}
    void ShowSnapshotPicture(const std::optional<std::string>& file, bool fullScreen) override {
        log.push_back("picture:" + file.value_or("default") + (fullScreen ? " full" : ""));
    }
    void ArrangeForFullScreen(bool on) override {
        log.push_back(on ? "arrange:on" : "arrange:off");
    }
    std::optional<std::string> AskForGameFile() override { return browseAnswer; }
    void SetTitle(std::string_view shown) override { title = shown; }
    void SetGameToolTip(std::string_view shown) override { gameTip = shown; }
    void DescribeHistory(std::function<std::string(std::string_view)> given) override {
        describe = std::move(given);
    }
    void CloseWindow() override { log.push_back("close"); }

    LaunchOptions options;
    std::string text;
    std::string restoredText;
    std::string title;
    std::string gameTip;
    std::function<std::string(std::string_view)> describe;
    std::optional<std::string> browseAnswer;
    std::vector<std::string> history;
    std::vector<std::string> log;
    bool mame32Shown = false;
    bool stretchEnabled = true;
};

}  // namespace kestrun::testing
