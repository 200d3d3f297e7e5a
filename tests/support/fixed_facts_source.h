#pragma once

#include <optional>
#include <string>
#include <vector>

#include "launch/emulator_facts_source.h"

namespace kestrun::testing {

// Knows the given facts for every executable from the start and asks no program; notes the
// executables it was asked to prepare.
class FixedFactsSource final : public EmulatorFactsSource {
  public:
    void Prepare(const std::string& executable, const std::string&) override {
        prepared.push_back(executable);
    }
    EmulatorFacts FactsFor(const std::string&, const std::string&, ProcessWaiter&) override {
        return facts;
    }
    std::optional<EmulatorFacts> KnownFacts(const std::string&) override { return facts; }

    EmulatorFacts facts;
    std::vector<std::string> prepared;
};

}  // namespace kestrun::testing
