#pragma once

#include <optional>
#include <string>

#include "launch/emulator_facts.h"
#include "platform/process_waiter.h"

namespace kestrun {

// Where the Start command and the window learn what an emulator executable is. Called on the
// user-interface thread only.
class EmulatorFactsSource {
  public:
    virtual ~EmulatorFactsSource() = default;

    // Begins to learn about the executable in the background, unless that is known or under
    // way already; returns at once.
    virtual void Prepare(const std::string& executable, const std::string& programFolder) = 0;
    // The facts, waiting through the waiter while they are being learnt. A file that cannot be
    // examined gives empty facts.
    virtual EmulatorFacts FactsFor(const std::string& executable, const std::string& programFolder,
                                   ProcessWaiter& waiter) = 0;
    // The facts if they are known already, without waiting.
    virtual std::optional<EmulatorFacts> KnownFacts(const std::string& executable) = 0;
};

}  // namespace kestrun
