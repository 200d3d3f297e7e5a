// What knowing the emulator costs a Start once its facts are cached: the plan of a run with the
// translation (the facts looked up for the executable's current identity, the generated
// options translated) against the plan of the same line untranslated, with the facts of
// Debian's MAME. Also reading the cache file, which a Start waits for only when it comes
// before the background has finished.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/support/fastest_recorder.h"
#include "launch/background_facts_source.h"
#include "launch/emulator_facts_cache.h"
#include "launch/run_plan.h"

namespace kestrun {
namespace {

constexpr const char* Line =
    "mame \"pacman\" -norc -skip_disclaimer -skip_gameinfo -nosound -nosamples -tb -nosleep "
    "-high_priority -ctrlr HotRod -nohws -effect scan75 -r 640x480 -rdtsc";
constexpr std::size_t HeadEnd = 14;  // after "mame \"pacman\""

void Plan(benchmark::State& state, BackgroundFactsSource& facts, TranslationMode mode) {
    const EmulatorCommand command{Line, false, KESTRUN_REAL_MAME, "MAME"};
    EmulatorArguments arguments{std::string(Line).substr(5)};
    arguments.headLength = HeadEnd - 5;
    const std::string folder = "/tmp/";
    BlockingProcessWaiter waiter;
    for (auto _ : state) {
        EmulatorRun run = PlanEmulatorRun(
            {.command = command, .arguments = arguments, .mode = mode, .programFolder = folder},
            facts, waiter);
        benchmark::DoNotOptimize(run);
    }
}

void ReadCache(benchmark::State& state, const std::string& cacheFolder) {
    const auto identity = IdentifyExecutable(KESTRUN_REAL_MAME);
    for (auto _ : state) {
        auto facts = LoadCachedFacts(cacheFolder, *identity);
        benchmark::DoNotOptimize(facts);
    }
}

}  // namespace
}  // namespace kestrun

int main(int argc, char** argv) {
    using namespace kestrun;
    benchmark::Initialize(&argc, argv);
    char cacheTemplate[] = "/tmp/kestrun-bench-XXXXXX";
    const std::string cacheFolder = std::string(::mkdtemp(cacheTemplate)) + "/";
    BackgroundFactsSource facts(cacheFolder);
    BlockingProcessWaiter waiter;
    if (!facts.FactsFor(KESTRUN_REAL_MAME, "/tmp/", waiter).IsCurrentMame()) {
        std::printf("%s did not answer as a current MAME\n", KESTRUN_REAL_MAME);
        return 1;
    }
    for (auto* bench : {
             benchmark::RegisterBenchmark("PlanUntranslated", Plan, std::ref(facts),
                                          TranslationMode::Off),
             benchmark::RegisterBenchmark("PlanTranslatedWithCachedFacts", Plan, std::ref(facts),
                                          TranslationMode::Automatic),
             benchmark::RegisterBenchmark("ReadFactsCacheFile", ReadCache, cacheFolder),
         }) {
        RepeatForFastest(bench);
        bench->Unit(benchmark::kMicrosecond);
    }
    FastestRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::filesystem::remove_all(cacheFolder);

    auto& t = reporter.fastest;
    if (t["PlanUntranslated"] <= 0 || t["PlanTranslatedWithCachedFacts"] <= 0) {
        std::printf("figures not computed: run every benchmark (no filter)\n");
        return 0;
    }
    std::printf("a Start with cached facts adds %.3f ms (target under 1 ms)\n",
                (t["PlanTranslatedWithCachedFacts"] - t["PlanUntranslated"]) / 1000.0);
    std::printf("reading the cache file takes %.3f ms, off the window's thread\n",
                t["ReadFactsCacheFile"] / 1000.0);
    return 0;
}
