#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/desktop_shell.h"

namespace kestrun::testing {

// Opens nothing: records every target it is asked to open and accepts only those it was told
// to; counts beeps.
class RecordingShell final : public DesktopShell {
  public:
    void Accept(std::string target) { openable_.insert(std::move(target)); }

    bool Open(const std::string& target) override {
        attempts_.push_back(target);
        return openable_.contains(target);
    }
    void Beep() override { ++beeps_; }

    const std::vector<std::string>& Attempts() const { return attempts_; }
    int Beeps() const { return beeps_; }

  private:
    std::set<std::string> openable_;
    std::vector<std::string> attempts_;
    int beeps_ = 0;
};

}  // namespace kestrun::testing
