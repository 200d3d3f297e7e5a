// Start-up to the mapped window: kestrun against the baseline program (an empty Qt dialog, the
// names listed and sorted, a bare libpng decode of the snapshot), on a program folder with no
// ROM sets and on one with 50,000, under a virtual X server of its own. Prints the ratios of
// the fastest of several interleaved runs, and how much more resident memory kestrun needs
// with 50,000 sets than with none.
// Usage: startup_bench [repetitions]
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "bench/startup/map_timer.h"
#include "bench/startup/xvfb_server.h"
#include "bench/support/bench_files.h"

extern char** environ;

namespace kestrun::bench {
namespace {

constexpr int ManySets = 50'000;
constexpr const char* SnapshotGame = "game1";

// A program folder as a user has it: the program, an emulator file, the ROM sets and the
// snapshot of the game restored at start-up.
std::string MakeProgramFolder(const std::string& root, int sets) {
    const std::string folder = root + "sets" + std::to_string(sets) + "/";
    std::filesystem::create_directories(folder + "roms");
    std::filesystem::create_directories(folder + "snap");
    // A copy, not a link: the program finds its folder through its own file.
    std::filesystem::copy_file(KESTRUN_PATH, folder + "kestrun");
    WriteBenchFile(folder + "mame.exe");
    ::chmod((folder + "mame.exe").c_str(), 0755);
    CreateRomSets(folder + "roms/", sets);
    WriteBenchFile(folder + "snap/" + SnapshotGame + ".png", MakeSnapshotPng());
    return folder;
}

// The profile of a user who has answered the shortcut question and last chose the game.
std::string MakeHome(const std::string& root) {
    const std::string home = root + "home/";
    std::filesystem::create_directories(home + ".config/Pellworth");
    std::filesystem::create_directories(home + "runtime");
    std::filesystem::permissions(home + "runtime", std::filesystem::perms::owner_all);
    WriteBenchFile(home + ".config/Pellworth/kestrun.ini",
                   std::string("[Kestrun]\nShortcut=1\nRomSet=") + SnapshotGame + "\n");
    return home;
}

// Ours, with the home, the display and the X platform set; the rest as the bench was given.
std::vector<std::string> ChildEnvironment(const std::string& home, const std::string& display) {
    static const char* const Replaced[] = {
        "DISPLAY=",         "HOME=",           "XDG_CONFIG_HOME=",
        "XDG_CACHE_HOME=",  "XDG_DATA_HOME=",  "XDG_RUNTIME_DIR=",
        "QT_QPA_PLATFORM=", "WAYLAND_DISPLAY="};
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable = *entry;
        if (std::none_of(std::begin(Replaced), std::end(Replaced),
                         [&](const char* name) { return variable.starts_with(name); })) {
            environment.push_back(variable);
        }
    }
    environment.push_back("DISPLAY=" + display);
    environment.push_back("HOME=" + home);
    environment.push_back("XDG_CONFIG_HOME=" + home + ".config");
    environment.push_back("XDG_RUNTIME_DIR=" + home + "runtime");
    environment.push_back("QT_QPA_PLATFORM=xcb");
    return environment;
}

struct Contender {
    std::vector<std::string> argv;
    double fastestMs = std::numeric_limits<double>::max();
    long smallestKiB = std::numeric_limits<long>::max();

    void Record(const StartUpMeasure& measure) {
        fastestMs = std::min(fastestMs, measure.millisecondsToMap);
        smallestKiB = std::min(smallestKiB, measure.residentKiB);
    }
};

struct FolderPair {
    int sets;
    Contender baseline;
    Contender kestrun;
};

void PrintRatio(const FolderPair& pair, double target) {
    std::printf("%6d sets: baseline %7.1f ms, kestrun %7.1f ms, ratio %.2f (target at most %.2f)\n",
                pair.sets, pair.baseline.fastestMs, pair.kestrun.fastestMs,
                pair.kestrun.fastestMs / pair.baseline.fastestMs, target);
}

int Run(int repetitions) {
    const ScratchFolder scratch;
    const std::string home = MakeHome(scratch.Path());
    std::vector<FolderPair> pairs;
    for (const int sets : {0, ManySets}) {
        const std::string folder = MakeProgramFolder(scratch.Path(), sets);
        pairs.push_back({sets, {{BASELINE_PATH, folder, SnapshotGame}}, {{folder + "kestrun"}}});
    }
    const XvfbServer server;
    MapTimer timer(server.Display());
    const std::vector<std::string> environment = ChildEnvironment(home, server.Display());

    // The first round only brings the files into the page cache.
    for (int round = 0; round <= repetitions; ++round) {
        for (FolderPair& pair : pairs) {
            for (Contender* contender : {&pair.baseline, &pair.kestrun}) {
                const StartUpMeasure measure = timer.Measure(contender->argv, environment);
                if (round > 0) {
                    contender->Record(measure);
                }
            }
        }
    }

    std::printf("start-up to the mapped window, fastest of %d interleaved runs:\n", repetitions);
    PrintRatio(pairs[0], 1.30);
    PrintRatio(pairs[1], 1.15);
    const double extraMiB = (pairs[1].kestrun.smallestKiB - pairs[0].kestrun.smallestKiB) / 1024.0;
    std::printf(
        "resident memory once quiet: kestrun %.1f MiB with no sets, %.1f MiB with %d; "
        "%.2f MiB more (target at most 1.5)\n",
        pairs[0].kestrun.smallestKiB / 1024.0, pairs[1].kestrun.smallestKiB / 1024.0, ManySets,
        extraMiB);
    return 0;
}

}  // namespace
}  // namespace kestrun::bench

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    try {
        return kestrun::bench::Run(repetitions);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup_bench: %s\n", error.what());
        return 1;
    }
}
