#pragma once

namespace kestrun {

// A one-way signal between threads that an event loop can watch: its descriptor becomes
// readable once Raise has been called and stays readable from then on.
class EventSignal {
  public:
    EventSignal();
    ~EventSignal();
    EventSignal(const EventSignal&) = delete;
    EventSignal& operator=(const EventSignal&) = delete;

    // -1 when the system could not make one; Raise then does nothing.
    int Fd() const { return fd_; }
    void Raise();

  private:
    int fd_;
};

}  // namespace kestrun
