#pragma once

#include <vector>

#include "platform/display_mode.h"

namespace kestrun::testing {

// Records every call and tracks the mode it would have set. SetSupported(false) makes every
// switch fail as a display without that mode would; restoring always succeeds.
class RecordingDisplayMode final : public DisplayModeService {
  public:
    struct Call {
        int width;
        int height;
        bool restore;
        bool operator==(const Call&) const = default;
    };

    void SetSupported(bool supported) { supported_ = supported; }
    const std::vector<Call>& Calls() const { return calls_; }
    // True while a switched mode is in force.
    bool Switched() const { return switched_; }

    bool ChangeDisplayMode(int width, int height, bool restore) override {
        calls_.push_back({width, height, restore});
        if (restore) {
            switched_ = false;
            return true;
        }
        if (supported_) {
            switched_ = true;
        }
        return supported_;
    }

  private:
    bool supported_ = true;
    bool switched_ = false;
    std::vector<Call> calls_;
};

}  // namespace kestrun::testing
