// ScanRomSets against a bare loop that only lists a folder's .zip names and sorts them the
// same way, on 50,000 and 100,000 ROM sets (with one other file for every five). Prints the
// cost over the bare loop and how much faster than it the scan grows.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/fastest_recorder.h"
#include "games/ascii_case.h"
#include "games/rom_set_scanner.h"

namespace kestrun {
namespace {

constexpr int SmallCount = 50'000;
constexpr int LargeCount = 100'000;

// Empty files are enough: the scan never opens them.
void CreateEmptyFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw std::runtime_error("cannot create " + path);
    }
    ::close(fd);
}

// A temporary folder per size, removed with its files at the end of the run.
class RomFolders {
  public:
    RomFolders() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kestrun-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        root_ = pattern + "/";
        for (const int count : {SmallCount, LargeCount}) {
            const std::string folder = Folder(count);
            std::filesystem::create_directory(folder);
            // Numbers scattered so that the names do not arrive already sorted.
            for (int i = 0; i < count; ++i) {
                const int number = static_cast<int>((i * 7919LL) % count);
                CreateEmptyFile(folder + (i % 3 == 0 ? "Game" : "game") + std::to_string(number) +
                                (i % 10 == 0 ? ".ZIP" : ".zip"));
                if (i % 5 == 0) {
                    CreateEmptyFile(folder + "snap" + std::to_string(number) + ".png");
                }
            }
        }
    }
    ~RomFolders() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    RomFolders(const RomFolders&) = delete;
    RomFolders& operator=(const RomFolders&) = delete;

    std::string Folder(int count) const { return root_ + std::to_string(count) + "/"; }

  private:
    std::string root_;
};

void BareListAndSort(benchmark::State& state, const std::string& folder) {
    for (auto _ : state) {
        std::vector<std::string> names;
        DIR* dir = ::opendir(folder.c_str());
        if (dir == nullptr) {
            state.SkipWithError("cannot list the folder");
            return;
        }
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name(entry->d_name);
            if (name.size() >= 4 && EqualsIgnoringCase(name.substr(name.size() - 4), ".zip")) {
                names.emplace_back(name);
            }
        }
        ::closedir(dir);
        std::sort(names.begin(), names.end(), LessIgnoringCase);
        benchmark::DoNotOptimize(names.data());
    }
}

void Scan(benchmark::State& state, const std::string& folder) {
    RomSetState roms;
    const std::string path = folder + "game1.zip";
    for (auto _ : state) {
        ScanRomSets(path, roms);
        benchmark::DoNotOptimize(roms.RomSetList.data());
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
    FastestRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    auto& t = reporter.fastest;
    const double bareSmall = t[Name("BareListAndSort", SmallCount)];
    const double bareLarge = t[Name("BareListAndSort", LargeCount)];
    const double scanSmall = t[Name("ScanRomSets", SmallCount)];
    const double scanLarge = t[Name("ScanRomSets", LargeCount)];
    if (bareSmall <= 0 || bareLarge <= 0 || scanSmall <= 0 || scanLarge <= 0) {
        std::printf("ratios not computed: run every benchmark (no filter)\n");
        return 0;
    }
    std::printf("ScanRomSets / bare loop at %d: %.2f (target at most 1.50)\n", SmallCount,
                scanSmall / bareSmall);
    std::printf("growth %d -> %d, ScanRomSets over bare loop: %.2f (target at most 1.15)\n",
                SmallCount, LargeCount, (scanLarge / scanSmall) / (bareLarge / bareSmall));
    return 0;
}
