#pragma once

#include <optional>
#include <string>

#include "launch/emulator_facts_source.h"

namespace kestrun::testing {

// Knows the given facts for every executable from the start and asks no program.
class FixedFactsSource final : public EmulatorFactsSource {
  public:
    void Prepare(const std::string&, const std::string&) override {}
    EmulatorFacts FactsFor(const std::string&, const std::string&, ProcessWaiter&) override {
        return facts;
    }
    std::optional<EmulatorFacts> KnownFacts(const std::string&) override { return facts; }

    EmulatorFacts facts;
};

}  // namespace kestrun::testing
