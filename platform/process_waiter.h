#pragma once

namespace kestrun {

// How the launcher waits for the emulator to end, or for anything else that must not freeze
// the window. WaitForExit is called on the caller's own thread with a descriptor that becomes
// readable when the awaited thing has ended: the running child's pidfd (RunAndWait calls it
// once per run), or an EventSignal. An implementation returns true once it is readable, or
// false when the wait itself failed. It must not close the descriptor or collect the child
// (the caller does both afterwards), and it must sleep rather than poll on a timer. A window's
// implementation keeps dispatching its events while it waits.
class ProcessWaiter {
  public:
    virtual ~ProcessWaiter() = default;
    virtual bool WaitForExit(int processFd) = 0;
};

// Sleeps until the child ends; for callers without an event loop.
class BlockingProcessWaiter final : public ProcessWaiter {
  public:
    bool WaitForExit(int processFd) override;
};

}  // namespace kestrun
