#pragma once

namespace kestrun {

// How the launcher waits for the emulator to end. RunAndWait calls WaitForExit once per run,
// on its own thread, with a process descriptor of the running child: a pidfd, which becomes
// readable when the child ends. An implementation returns true once it is readable, or false
// when the wait itself failed. It must not close the descriptor or collect the child (the
// runner does both afterwards), and it must sleep rather than poll on a timer. A window's
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
