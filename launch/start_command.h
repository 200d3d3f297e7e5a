#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "launch/emulator_facts_source.h"
#include "options/launch_options.h"
#include "platform/child_process.h"
#include "platform/message_box.h"
#include "platform/process_waiter.h"
#include "platform/profile_store.h"

namespace kestrun {

// What the Start command needs of the main window. The window implements it over its
// controls; every call happens on the user-interface thread.
class StartHost {
  public:
    virtual ~StartHost() = default;

    // Moves the controls' values into the options record and returns it.
    virtual LaunchOptions ReadBackOptions() = 0;
    virtual std::string GameText() const = 0;
    // The current texts of the controller and resolution lists.
    virtual std::string ControllerText() const = 0;
    virtual std::string ResolutionText() const = 0;
    // Puts the game text at the top of the game box's history.
    virtual void InsertIntoHistory(std::string_view gameText) = 0;

    virtual void HideWindow() = 0;
    virtual void ShowWindow() = 0;
    // True while the launcher's own full-screen mode is on.
    virtual bool DisplaySwitched() const = 0;
    // Sets the launcher's full-screen mode anew after a run that may have changed the display.
    virtual void ReassertFullScreen() = 0;

    virtual void ShowSnapshot(std::string_view gameText) = 0;
    virtual void FocusGameBox() = 0;
};

// Everything one Start works with besides the window.
struct StartEnvironment {
    StartHost& host;
    MessageBoxService& messages;
    ProfileStore& profile;
    ProcessWaiter& waiter;
    EmulatorFactsSource& facts;
    // Ends with a separator.
    std::string programFolder;
    // Receives everything the emulator wrote, after every run.
    std::FILE* outputStream;
};

// The Start command: checks the game text, records it in the history, builds the command
// line, chooses the emulator, asks or refuses where the options call for it, translates the
// generated options for a current MAME, runs the emulator with the window hidden, and reports
// a failed run with the tail of its output. The keyboard focus goes back to the game box
// however the Start ends. Each call keeps its state in its own locals, so a Start begun while
// another waits does not disturb it.
void RunStart(const StartEnvironment& environment);

// The message for a failed run. An emulator that could not start is named with the system's
// reason. One that ran and failed, and wrote something, is reported with its output: the
// bytes without their last one, up to the first zero byte, kept as they are even when they
// are not valid UTF-8, under a caption that begins with the emulator's name ("MAME"). Nothing
// for a successful run or a failed one without output. A run that could not start names the
// program of the command line and the system's reason.
std::optional<MessageBoxRequest> RunFailureMessage(std::string_view commandLine,
                                                   std::string_view captionName,
                                                   const RunOutcome& outcome,
                                                   std::string_view output);

}  // namespace kestrun
