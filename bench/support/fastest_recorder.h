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

// Prints as usual and keeps each benchmark's "min" statistic, for the ratios printed afterwards:
// in processor time, and in wall time for work that other threads or processes do.
class FastestRecorder final : public benchmark::ConsoleReporter {
  public:
    // Plain text: the output usually ends up in a log.
    FastestRecorder() : ConsoleReporter(OO_None) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min") {
                fastest[run.run_name.function_name] = run.GetAdjustedCPUTime();
                fastestWallTime[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> fastest;
    std::map<std::string, double> fastestWallTime;
};

}  // namespace kestrun
