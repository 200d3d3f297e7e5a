#include "launch/background_facts_source.h"

#include <utility>

#include "launch/background_job.h"
#include "launch/emulator_facts_cache.h"

namespace kestrun {

// One executable being learnt.
struct FactsJob {
    template <typename Work>
    FactsJob(ExecutableIdentity identity, Work work)
        : identity(std::move(identity)), facts(std::move(work)) {}

    ExecutableIdentity identity;
    BackgroundJob<EmulatorFacts> facts;
};

namespace {

EmulatorFacts Learn(const ExecutableIdentity& identity, const std::string& executable,
                    const std::string& programFolder, const std::string& cacheFolder,
                    const QueryLimits& limits, int cancelFd) {
    if (auto cached = LoadCachedFacts(cacheFolder, identity)) {
        return std::move(*cached);
    }
    GatheredFacts gathered = GatherEmulatorFacts(executable, programFolder, limits, cancelFd);
    // An answer cut short by the time limit may be wrong; the next run asks again.
    if (gathered.complete) {
        StoreCachedFacts(cacheFolder, identity, gathered.facts);
    }
    return std::move(gathered.facts);
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
    auto job = std::make_shared<FactsJob>(
        *identity, [identity = *identity, executable, programFolder, cache = cacheFolder_,
                    limits = limits_](int cancelFd) {
            return Learn(identity, executable, programFolder, cache, limits, cancelFd);
        });
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
    if (!job->facts.Finished()) {
        waiter.WaitForExit(job->facts.DoneFd());
    }
    return job->facts.Finished() ? job->facts.Get() : EmulatorFacts{};
}

std::optional<EmulatorFacts> BackgroundFactsSource::KnownFacts(const std::string& executable) {
    const std::optional<ExecutableIdentity> identity = IdentifyExecutable(executable);
    if (!identity || !job_ || !(job_->identity == *identity) || !job_->facts.Finished()) {
        return std::nullopt;
    }
    return job_->facts.Get();
}

}  // namespace kestrun
