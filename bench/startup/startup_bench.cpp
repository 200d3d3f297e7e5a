// Start-up to the mapped window: kestrun against the baseline program (an empty Qt dialog, the
// names listed and sorted, a bare libpng decode of the snapshot), on a program folder with no
// ROM sets and on one with 50,000, under a virtual X server of its own. Prints the ratios of
// the fastest of several interleaved runs, and how much more resident memory kestrun needs
// with 50,000 sets than with none. Both programs get a session bus of their own, as on a desktop.
// Usage: startup_bench [repetitions [kestrun executable]]   (by default the one built with it)
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "bench/startup/helper_server.h"
#include "bench/startup/map_timer.h"
#include "bench/support/bench_files.h"

extern char** environ;

namespace kestrun::bench {
namespace {

constexpr int ManySets = 50'000;
constexpr const char* SnapshotGame = "game1";

// A program folder as a user has it: the program, an emulator file, the ROM sets and the
// snapshot of the game restored at start-up.
std::string MakeProgramFolder(const testing::TempFolder& scratch, int sets,
                              const std::string& program) {
    const std::string folder = "sets" + std::to_string(sets) + "/";
    CreateRomSets(scratch, folder + "roms/", sets);
    scratch.WriteFile(folder + "snap/" + SnapshotGame + ".png", MakeSnapshotPng());
    // A copy, not a link: the program finds its folder through its own file.
    std::filesystem::copy_file(program, scratch.Path() + folder + "kestrun");
    ::chmod(scratch.WriteFile(folder + "mame.exe").c_str(), 0755);
    return scratch.Path() + folder;
}

// The profile of a user who has answered the shortcut question and last chose the game.
std::string MakeHome(const testing::TempFolder& scratch) {
    scratch.WriteFile("home/.config/Pellworth/kestrun.ini",
                      std::string("[Kestrun]\nShortcut=1\nRomSet=") + SnapshotGame + "\n");
    std::filesystem::permissions(scratch.MakeFolder("home/runtime"),
                                 std::filesystem::perms::owner_all);
    return scratch.Path() + "home/";
}

// Ours, with the home, the display, the X platform and the session bus set; the rest as the
// bench was given.
std::vector<std::string> ChildEnvironment(const std::string& home, const std::string& display,
                                          const std::string& sessionBus) {
    std::vector<std::string> ours = {
        "DISPLAY=" + display,
        "HOME=" + home,
        "XDG_CONFIG_HOME=" + home + ".config",
        "XDG_RUNTIME_DIR=" + home + "runtime",
        "QT_QPA_PLATFORM=xcb",
        "XDG_CACHE_HOME=",
        "XDG_DATA_HOME=",
        "WAYLAND_DISPLAY=",
    };
    if (!sessionBus.empty()) {
        ours.push_back("DBUS_SESSION_BUS_ADDRESS=" + sessionBus);
    }
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view variable = *entry;
        const std::string_view name = variable.substr(0, variable.find('=') + 1);
        if (std::none_of(ours.begin(), ours.end(),
                         [&](const std::string& mine) { return mine.starts_with(name); })) {
            environment.emplace_back(variable);
        }
    }
    // A variable set to nothing stands for one left out.
    std::copy_if(ours.begin(), ours.end(), std::back_inserter(environment),
                 [](const std::string& mine) { return !mine.ends_with('='); });
    return environment;
}

// A desktop session always has a bus. Without one, Qt's accessibility bridge in either
// program would try to start a dbus-launch at every start, which no desktop user pays.
std::optional<HelperServer> StartSessionBus() {
    try {
        return std::make_optional<HelperServer>(std::vector<std::string>{
            "dbus-daemon", "--session", "--nofork", "--print-address={fd}"});
    } catch (const std::exception& error) {
        std::printf("note: %s; measuring without a session bus\n", error.what());
        return std::nullopt;
    }
}

struct Contender {
    std::vector<std::string> argv;
    double fastestMs = std::numeric_limits<double>::max();
    double fastestUnqueuedMs = std::numeric_limits<double>::max();
    long smallestKiB = std::numeric_limits<long>::max();

    void Record(const StartUpMeasure& measure) {
        fastestMs = std::min(fastestMs, measure.millisecondsToMap);
        fastestUnqueuedMs = std::min(fastestUnqueuedMs, measure.millisecondsToMapUnqueued);
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
    std::printf("%6s less waiting for a processor: %7.1f ms, %7.1f ms, ratio %.2f\n", "",
                pair.baseline.fastestUnqueuedMs, pair.kestrun.fastestUnqueuedMs,
                pair.kestrun.fastestUnqueuedMs / pair.baseline.fastestUnqueuedMs);
}

int Run(int repetitions, const std::string& program) {
    const testing::TempFolder scratch;
    const std::string home = MakeHome(scratch);
    std::vector<FolderPair> pairs;
    for (const int sets : {0, ManySets}) {
        const std::string folder = MakeProgramFolder(scratch, sets, program);
        pairs.push_back({sets, {{BASELINE_PATH, folder, SnapshotGame}}, {{folder + "kestrun"}}});
    }
    const HelperServer xServer(
        {"Xvfb", "-displayfd", "{fd}", "-nolisten", "tcp", "-screen", "0", "1280x1024x24"});
    const std::string display = ":" + xServer.Address();
    const std::optional<HelperServer> sessionBus = StartSessionBus();
    MapTimer timer(display);
    const std::vector<std::string> environment =
        ChildEnvironment(home, display, sessionBus ? sessionBus->Address() : std::string());

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
    const std::string program = argc > 2 ? argv[2] : KESTRUN_PATH;
    try {
        return kestrun::bench::Run(repetitions, program);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup_bench: %s\n", error.what());
        return 1;
    }
}
