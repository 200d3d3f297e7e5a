#pragma once

#include <vector>

#include "platform/display_mode.h"

namespace kestrun::testing {

// Records every call and tracks the mode it would have set; every switch and restore succeeds.
class RecordingDisplayMode final : public DisplayModeService {
  public:
    struct Call {
        int width;
        int height;
        bool restore;
        bool operator==(const Call&) const = default;
    };

    const std::vector<Call>& Calls() const { return calls_; }
    // True while a switched mode is in force.
    bool Switched() const { return switched_; }

    bool ChangeDisplayMode(int width, int height, bool restore) override {
        calls_.push_back({width, height, restore});
        switched_ = !restore;
        return true;
    }

  private:
    bool switched_ = false;
    std::vector<Call> calls_;
};

}  // namespace kestrun::testing
