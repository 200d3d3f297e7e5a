// Loading 45,000 full names from a `-listfull` file against reading the same file bare, and one
// keystroke's search over 50,000 sets. Prints the load's cost over the bare read and the time of
// the slowest keystroke against the frame budget.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/support/fastest_recorder.h"
#include "games/game_names.h"
#include "games/game_search.h"

namespace kestrun {
namespace {

constexpr int NameCount = 45'000;
constexpr int SetCount = 50'000;
constexpr const char* Words[] = {"Donkey", "Kong",  "Pac-Man", "Galaga", "Street", "Fighter",
                                 "Super",  "Mario", "(US",     "set",    "Japan)", "[TTL]"};

std::string SetName(int i) {
    return "game" + std::to_string((i * 7919LL) % (SetCount * 2));
}

// Sorted by set name, as MAME prints it.
std::string Listing() {
    std::vector<std::pair<std::string, int>> sets;
    for (int i = 0; i < NameCount; ++i) {
        sets.emplace_back(SetName(i), i);
    }
    std::sort(sets.begin(), sets.end());
    std::string listing = "Name:             Description:\n";
    for (const auto& [name, i] : sets) {
        listing += name + std::string(18 - std::min<std::size_t>(name.size(), 17), ' ') + '"';
        for (int w = 0; w < 4; ++w) {
            listing += std::string(w ? " " : "") + Words[(i + w * 5) % std::size(Words)];
        }
        listing += " " + std::to_string(i) + "\"\n";
    }
    return listing;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void BareRead(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        const std::string text = ReadFile(path);
        benchmark::DoNotOptimize(text.data());
    }
}

void LoadNames(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        const GameNames names = GameNames::Parse(ReadFile(path));
        benchmark::DoNotOptimize(names.Count());
    }
}

// The queries a user types on the way to a game, and one that matches nothing, which has to
// look at every set.
void Keystroke(benchmark::State& state, const GameSearchIndex& index, std::string query) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(index.Search(query).size());
    }
}

}  // namespace
}  // namespace kestrun

int main(int argc, char** argv) {
    using namespace kestrun;
    benchmark::Initialize(&argc, argv);
    const std::string path =
        (std::filesystem::temp_directory_path() / "kestrun-bench-listfull.txt").string();
    std::ofstream(path, std::ios::binary) << Listing();
    const GameNames names = GameNames::Parse(ReadFile(path));
    std::vector<std::string> sets;
    for (int i = 0; i < SetCount; ++i) {
        sets.push_back(SetName(i));
    }
    const std::vector<std::string_view> setViews(sets.begin(), sets.end());
    const GameSearchIndex index(setViews, names);

    const char* queries[] = {"g", "kong", "fighter 1", "zzq"};
    RepeatForFastest(benchmark::RegisterBenchmark("BareRead", BareRead, path));
    RepeatForFastest(benchmark::RegisterBenchmark("LoadNames", LoadNames, path));
    for (const char* query : queries) {
        RepeatForFastest(benchmark::RegisterBenchmark((std::string("Keystroke/") + query).c_str(),
                                                      Keystroke, std::cref(index), query));
    }
    FastestRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::filesystem::remove(path);

    auto& t = reporter.fastest;
    double slowestKeystroke = 0;
    for (const char* query : queries) {
        slowestKeystroke = std::max(slowestKeystroke, t[std::string("Keystroke/") + query]);
    }
    if (t["BareRead"] <= 0 || t["LoadNames"] <= 0 || slowestKeystroke <= 0) {
        std::printf("figures not computed: run every benchmark (no filter)\n");
        return 0;
    }
    std::printf("loading %d names: %.1f ms (target under 40), %.2fx the bare read\n", NameCount,
                t["LoadNames"], t["LoadNames"] / t["BareRead"]);
    std::printf("slowest keystroke over %d sets: %.2f ms (target under 16)\n", SetCount,
                slowestKeystroke);
    return 0;
}
