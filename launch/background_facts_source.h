#pragma once

#include <memory>
#include <string>

#include "launch/emulator_facts_source.h"
#include "launch/emulator_query.h"

namespace kestrun {

struct FactsJob;

// Learns about one executable at a time on a thread of its own: from the cache when it holds
// the facts for this very file (same real path, size and modification time), else by asking
// the program, keeping the answer in the cache. The window's thread never waits for a
// program; FactsFor waits through the waiter, which keeps a window responsive.
class BackgroundFactsSource final : public EmulatorFactsSource {
  public:
    // cacheFolder ends with a separator; empty keeps nothing between runs.
    explicit BackgroundFactsSource(std::string cacheFolder, QueryLimits limits = {});
    // Stops a query under way (its program is killed) and waits for the thread.
    ~BackgroundFactsSource() override;

    void Prepare(const std::string& executable, const std::string& programFolder) override;
    EmulatorFacts FactsFor(const std::string& executable, const std::string& programFolder,
                           ProcessWaiter& waiter) override;
    std::optional<EmulatorFacts> KnownFacts(const std::string& executable) override;

  private:
    // The job for the executable, started when the current one is for another file.
    std::shared_ptr<FactsJob> JobFor(const std::string& executable,
                                     const std::string& programFolder);

    std::string cacheFolder_;
    QueryLimits limits_;
    std::shared_ptr<FactsJob> job_;
};

}  // namespace kestrun
