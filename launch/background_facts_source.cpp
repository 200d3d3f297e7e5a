#include "launch/background_facts_source.h"

#include <atomic>
#include <thread>
#include <utility>

#include "launch/emulator_facts_cache.h"
#include "platform/event_signal.h"

namespace kestrun {

// One executable being learnt. The thread writes the facts, then sets finished and raises
// done; the window's thread reads the facts only once finished is set.
struct FactsJob {
    ~FactsJob() {
        cancel.Raise();
        if (worker.joinable()) {
            worker.join();
        }
    }

    ExecutableIdentity identity;
    EventSignal done;
    EventSignal cancel;
    std::atomic<bool> finished{false};
    EmulatorFacts facts;
    std::thread worker;
};

namespace {

void Learn(FactsJob& job, const std::string& executable, const std::string& programFolder,
           const std::string& cacheFolder, const QueryLimits& limits) {
    if (auto cached = LoadCachedFacts(cacheFolder, job.identity)) {
        job.facts = std::move(*cached);
    } else {
        GatheredFacts gathered =
            GatherEmulatorFacts(executable, programFolder, limits, job.cancel.Fd());
        // An answer cut short by the time limit may be wrong; the next run asks again.
        if (gathered.complete) {
            StoreCachedFacts(cacheFolder, job.identity, gathered.facts);
        }
        job.facts = std::move(gathered.facts);
    }
    job.finished.store(true, std::memory_order_release);
    job.done.Raise();
}

}  // namespace

BackgroundFactsSource::BackgroundFactsSource(std::string cacheFolder, QueryLimits limits)
    : cacheFolder_(std::move(cacheFolder)), limits_(limits) {}

BackgroundFactsSource::~BackgroundFactsSource() = default;

std::shared_ptr<FactsJob> BackgroundFactsSource::JobFor(const std::string& executable,
                                                        const std::string& programFolder) {
    std::optional<ExecutableIdentity> identity = IdentifyExecutable(executable);
    if (!identity) {
        return nullptr;
    }
    if (job_ && job_->identity == *identity) {
        return job_;
    }
    auto job = std::make_shared<FactsJob>();
    job->identity = std::move(*identity);
    job->worker =
        std::thread(Learn, std::ref(*job), executable, programFolder, cacheFolder_, limits_);
    // The job for the file that was there before stops unless a wait still holds it.
    job_ = std::move(job);
    return job_;
}

void BackgroundFactsSource::Prepare(const std::string& executable,
                                    const std::string& programFolder) {
    JobFor(executable, programFolder);
}

EmulatorFacts BackgroundFactsSource::FactsFor(const std::string& executable,
                                              const std::string& programFolder,
                                              ProcessWaiter& waiter) {
    const std::shared_ptr<FactsJob> job = JobFor(executable, programFolder);
    if (!job) {
        return {};
    }
    if (!job->finished.load(std::memory_order_acquire)) {
        waiter.WaitForExit(job->done.Fd());
    }
    return job->finished.load(std::memory_order_acquire) ? job->facts : EmulatorFacts{};
}

std::optional<EmulatorFacts> BackgroundFactsSource::KnownFacts(const std::string& executable) {
    const std::optional<ExecutableIdentity> identity = IdentifyExecutable(executable);
    if (!identity || !job_ || !(job_->identity == *identity) ||
        !job_->finished.load(std::memory_order_acquire)) {
        return std::nullopt;
    }
    return job_->facts;
}

}  // namespace kestrun
