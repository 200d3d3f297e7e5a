#pragma once

#include "platform/process_waiter.h"

namespace kestrun {

// The window's wait for the emulator: a nested event loop that wakes when the child's process
// descriptor becomes readable, so clicks and painting go on while the emulator runs. Keyboard
// input does nothing during the wait: an application-wide filter swallows key presses,
// releases and shortcut events, so accelerators, Tab and Enter cannot start anything in the
// middle of a run. The filter is removed when the wait ends. Needs a running QApplication.
class QtProcessWaiter final : public ProcessWaiter {
  public:
    bool WaitForExit(int processFd) override;
};

}  // namespace kestrun
