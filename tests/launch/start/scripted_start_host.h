#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "launch/start_command.h"

namespace kestrun::testing {

// A main window that answers from its fields and logs every call, in order, as one line:
// "read", "history:<text>", "hide", "show", "snapshot:<text>", "reassert", "focus".
class ScriptedStartHost final : public StartHost {
  public:
    LaunchOptions ReadBackOptions() override {
        log.push_back("read");
        return options;
    }
    std::string GameText() const override { return gameText; }
    std::string ControllerText() const override { return controllerText; }
    std::string ResolutionText() const override { return resolutionText; }
    void InsertIntoHistory(std::string_view text) override {
        log.push_back("history:" + std::string(text));
    }
    void HideWindow() override { log.push_back("hide"); }
    void ShowWindow() override { log.push_back("show"); }
    bool DisplaySwitched() const override { return displaySwitched; }
    void ReassertFullScreen() override { log.push_back("reassert"); }
    void ShowSnapshot(std::string_view text) override {
        log.push_back("snapshot:" + std::string(text));
    }
    void FocusGameBox() override { log.push_back("focus"); }

    LaunchOptions options = DefaultLaunchOptions();
    std::string gameText = "pacman";
    std::string controllerText = "HotRod";
    std::string resolutionText = "Auto";
    bool displaySwitched = false;
    std::vector<std::string> log;
};

// Waits for the child like a window without events would, logging the wait into the host's
// log so that its place among the window's calls shows; duringWait runs once, at the next
// wait, before it sleeps.
class LoggingWaiter final : public ProcessWaiter {
  public:
    explicit LoggingWaiter(std::vector<std::string>& log) : log_(log) {}
    bool WaitForExit(int processFd) override {
        log_.push_back("wait");
        if (const auto action = std::exchange(duringWait, nullptr)) {
            action();
        }
        return blocking_.WaitForExit(processFd);
    }
    std::function<void()> duringWait;

  private:
    std::vector<std::string>& log_;
    BlockingProcessWaiter blocking_;
};

}  // namespace kestrun::testing
