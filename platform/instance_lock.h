#pragma once

#include <string>
#include <string_view>

namespace kestrun {

// The per-user lock file of a program: $XDG_RUNTIME_DIR/<name>.lock, or
// <temporary folder><name>-<uid>.lock without a runtime folder. Each executable base name has
// its own, so a copy of the program under another name is not blocked.
std::string InstanceLockPath(std::string_view programBaseName);

// Holds an exclusive lock on the file for the object's lifetime. The system releases it when
// the process ends in any way, and child processes do not inherit it.
class InstanceLock {
  public:
    enum class State {
        Held,           // this process is the only instance
        HeldElsewhere,  // another process holds the lock
        Unavailable,    // the lock file cannot be opened; nothing guards the instance
    };

    explicit InstanceLock(const std::string& lockFile);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State GetState() const { return state_; }

  private:
    int fd_ = -1;
    State state_ = State::Unavailable;
};

}  // namespace kestrun
