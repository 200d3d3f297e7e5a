#pragma once

#include <atomic>
#include <thread>
#include <utility>

#include "platform/event_signal.h"

namespace kestrun {

// One question answered on a thread of its own. The thread writes the result, then sets
// finished and raises done; other threads read the result only once Finished() says so. The
// destructor cancels the work (its cancel descriptor becomes readable) and joins the thread.
template <typename Result>
class BackgroundJob {
  public:
    // work(cancelFd) returns the result; it should end soon once cancelFd is readable.
    template <typename Work>
    explicit BackgroundJob(Work work)
        : worker_([this, work = std::move(work)] {
              result_ = work(cancel_.Fd());
              finished_.store(true, std::memory_order_release);
              done_.Raise();
          }) {}
    ~BackgroundJob() {
        cancel_.Raise();
        worker_.join();
    }
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    bool Finished() const { return finished_.load(std::memory_order_acquire); }
    // Readable once the result is there, for an event loop to wait on.
    int DoneFd() const { return done_.Fd(); }
    // Only once Finished().
    Result& Get() { return result_; }

  private:
    EventSignal cancel_;
    EventSignal done_;
    std::atomic<bool> finished_{false};
    Result result_{};
    // Last, so that everything the thread touches exists before it starts.
    std::thread worker_;
};

}  // namespace kestrun
