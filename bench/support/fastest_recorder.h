#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

// Benchmarks here compare two measurements taken in the same run. Each keeps the fastest
// repetition in processor time: the one least disturbed by whatever else the machine is doing.
namespace kestrun {

// The statistic to register with ComputeStatistics("min", Fastest).
inline double Fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// Times a benchmark in milliseconds over seven repetitions and reports only their statistics,
// the fastest among them.
inline void RepeatForFastest(benchmark::internal::Benchmark* bench) {
    bench->Unit(benchmark::kMillisecond)
        ->Repetitions(7)
        ->ComputeStatistics("min", Fastest)
        ->ReportAggregatesOnly(true);
}

// Prints as usual and keeps each benchmark's "min" statistic, for the ratios printed afterwards.
// Work that waits on the disk is timed by the wall clock (register it with UseRealTime()).
class FastestRecorder final : public benchmark::ConsoleReporter {
  public:
    enum class Clock { Processor, Wall };

    // Plain text: the output usually ends up in a log.
    explicit FastestRecorder(Clock clock = Clock::Processor)
        : ConsoleReporter(OO_None), clock_(clock) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min") {
                fastest[run.run_name.function_name] =
                    clock_ == Clock::Wall ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> fastest;

  private:
    Clock clock_;
};

}  // namespace kestrun
