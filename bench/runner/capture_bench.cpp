// How much the capture costs a talkative emulator: the same child writes 16 MiB once through
// the capture (10-byte reads on the capture thread) and once straight to /dev/null.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "launch/process_runner.h"
#include "platform/paths.h"

namespace kestrun {
namespace {

constexpr std::size_t OutputBytes = std::size_t{16} << 20;

int RunEmulatorOnce(bool captured) {
    const std::string emulator = KESTRUN_TEST_EMULATOR_PATH;
    OutputCapture capture;
    if (captured) {
        StartCapture(capture, 1024);
    }
    BlockingProcessWaiter waiter;
    return RunAndWait("\"" + std::string(BaseNameOf(emulator)) + "\"", false, FolderOf(emulator),
                      capture, waiter);
}

void Emulator16MiB(benchmark::State& state, bool captured) {
    for (auto _ : state) {
        if (RunEmulatorOnce(captured) != 0) {
            state.SkipWithError("the emulator did not run");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * OutputBytes));
}

void BM_Emulator16MiBToDevNull(benchmark::State& state) {
    Emulator16MiB(state, false);
}
void BM_Emulator16MiBThroughCapture(benchmark::State& state) {
    Emulator16MiB(state, true);
}
BENCHMARK(BM_Emulator16MiBToDevNull)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Emulator16MiBThroughCapture)->Unit(benchmark::kMillisecond)->UseRealTime();

// Remembers the mean wall time of every benchmark so the ratio can be printed afterwards.
class RatioReporter final : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
                times_[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatio(const std::string& measured, const std::string& baseline) const {
        const auto found = times_.find(measured);
        const auto base = times_.find(baseline);
        if (found != times_.end() && base != times_.end() && base->second > 0) {
            std::printf("%s / %s = %.2f\n", measured.c_str(), baseline.c_str(),
                        found->second / base->second);
        }
    }

  private:
    std::map<std::string, double> times_;
};

}  // namespace
}  // namespace kestrun

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    ::setenv("TEST_EMULATOR_RECORD", "/dev/null", 1);
    ::setenv("TEST_EMULATOR_STDOUT_BYTES", std::to_string(kestrun::OutputBytes).c_str(), 1);
    kestrun::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("BM_Emulator16MiBThroughCapture", "BM_Emulator16MiBToDevNull");
    benchmark::Shutdown();
    return 0;
}
