// ScanRomSets against a bare loop that only lists a folder's .zip names and sorts them the
// same way, on 50,000 and 100,000 ROM sets (with one other file for every five). Prints the
// cost over the bare loop, how much faster than it the scan grows, and what a scan of the
// folder just scanned costs against it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/bare_baselines.h"
#include "bench/support/bench_files.h"
#include "bench/support/fastest_recorder.h"
#include "games/rom_set_scanner.h"

namespace kestrun {
namespace {

constexpr int SmallCount = 50'000;
constexpr int LargeCount = 100'000;

// A folder per size, removed with its files at the end of the run.
class RomFolders {
  public:
    RomFolders() {
        for (const int count : {SmallCount, LargeCount}) {
            bench::CreateRomSets(scratch_, std::to_string(count) + "/", count);
        }
        // A folder changed within the last two seconds is always listed again.
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    }

    std::string Folder(int count) const { return scratch_.Path() + std::to_string(count) + "/"; }

  private:
    testing::TempFolder scratch_;
};

void BareListAndSort(benchmark::State& state, const std::string& folder) {
    for (auto _ : state) {
        const std::vector<std::string> names = bench::BareListAndSortZipNames(folder);
        if (names.empty()) {
            state.SkipWithError("cannot list the folder");
            return;
        }
        benchmark::DoNotOptimize(names.data());
    }
}

void Scan(benchmark::State& state, const std::string& folder) {
    const std::string path = folder + "game1.zip";
    for (auto _ : state) {
        // A fresh state each time: a state that has listed the folder would keep its list.
        RomSetState roms;
        ScanRomSets(path, roms);
        benchmark::DoNotOptimize(roms.CurrentRomIndex);
    }
}

// Previous or Next after start-up or after typing: a scan of the folder just scanned, for
// another game each time.
void Rescan(benchmark::State& state, const std::string& folder) {
    RomSetState roms;
    ScanRomSets(folder + "game1.zip", roms);
    int game = 0;
    for (auto _ : state) {
        ScanRomSets(folder + "game" + std::to_string(++game % SmallCount) + ".zip", roms);
        benchmark::DoNotOptimize(roms.CurrentRomIndex);
    }
}

std::string Name(const char* what, int count) {
    return std::string(what) + "/" + std::to_string(count);
}

}  // namespace
}  // namespace kestrun

int main(int argc, char** argv) {
    using namespace kestrun;
    benchmark::Initialize(&argc, argv);
    const RomFolders folders;
    for (const int count : {SmallCount, LargeCount}) {
        const std::string folder = folders.Folder(count);
        // One scan first, so that neither contender pays for reading the folder from disk.
        RomSetState warmUp;
        ScanRomSets(folder + "game1.zip", warmUp);
        for (auto* bench :
             {benchmark::RegisterBenchmark(Name("BareListAndSort", count).c_str(), BareListAndSort,
                                           folder),
              benchmark::RegisterBenchmark(Name("ScanRomSets", count).c_str(), Scan, folder)}) {
            RepeatForFastest(bench);
        }
    }
    RepeatForFastest(benchmark::RegisterBenchmark(Name("Rescan", SmallCount).c_str(), Rescan,
                                                  folders.Folder(SmallCount)));
    FastestRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    auto& t = reporter.fastest;
    const double bareSmall = t[Name("BareListAndSort", SmallCount)];
    const double bareLarge = t[Name("BareListAndSort", LargeCount)];
    const double scanSmall = t[Name("ScanRomSets", SmallCount)];
    const double scanLarge = t[Name("ScanRomSets", LargeCount)];
    const double rescan = t[Name("Rescan", SmallCount)];
    if (bareSmall <= 0 || bareLarge <= 0 || scanSmall <= 0 || scanLarge <= 0 || rescan <= 0) {
        std::printf("ratios not computed: run every benchmark (no filter)\n");
        return 0;
    }
    std::printf("ScanRomSets / bare loop at %d: %.2f (target at most 1.50)\n", SmallCount,
                scanSmall / bareSmall);
    std::printf("growth %d -> %d, ScanRomSets over bare loop: %.2f (target at most 1.15)\n",
                SmallCount, LargeCount, (scanLarge / scanSmall) / (bareLarge / bareSmall));
    std::printf(
        "scan of the unchanged folder again / bare loop at %d: %.5f (target at most 0.01)\n",
        SmallCount, rescan / bareSmall);
    return 0;
}
