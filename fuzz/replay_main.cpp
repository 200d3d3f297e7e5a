// Runs a fuzz target's entry point on files without libFuzzer: every file named, and every file
// below every folder named (hidden files skipped). Fails when a path does not exist.
//
// With --bound first, each input must also finish within 250 ms of CPU time plus 5 ns for each
// pixel it decoded, and the process must stay within 300 MB: what any file of up to 10 MB may
// cost in an optimised build.
#include <sys/resource.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string_view>
#include <vector>

#include "fuzz/decoded_pixels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

constexpr double BaseSeconds = 0.250;
constexpr double SecondsPerPixel = 5e-9;
constexpr long MaxResidentBytes = 300'000'000;

std::vector<fs::path> InputsBelow(const fs::path& path) {
    if (!fs::is_directory(path)) {
        return {path};
    }
    std::vector<fs::path> inputs;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path)) {
        if (entry.is_regular_file() && entry.path().filename().string().front() != '.') {
            inputs.push_back(entry.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The most memory the process has held at once so far: the input that takes it over the limit
// is the one to blame (and later ones can no longer be told apart).
long PeakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss * 1024;
}

// Runs one input; false when bounded and it took too long or too much memory.
bool Replay(const fs::path& input, bool bounded) {
    std::ifstream file(input, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    kestrun::DecodedPixels() = 0;
    const bool wasWithinMemory = PeakResidentBytes() <= MaxResidentBytes;
    const double start = CpuSeconds();
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    const double seconds = CpuSeconds() - start;
    if (!bounded) {
        return true;
    }
    const double allowed =
        BaseSeconds + SecondsPerPixel * static_cast<double>(kestrun::DecodedPixels());
    const long peak = PeakResidentBytes();
    if (seconds <= allowed && (peak <= MaxResidentBytes || !wasWithinMemory)) {
        return true;
    }
    std::cerr << input.string() << ": " << seconds * 1000 << " ms of CPU (" << allowed * 1000
              << " allowed), peak " << peak / 1'000'000 << " MB\n";
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    const bool bounded = argc > 1 && std::string_view(argv[1]) == "--bound";
    first += bounded ? 1 : 0;
    std::size_t replayed = 0;
    std::size_t overran = 0;
    for (int i = first; i < argc; ++i) {
        if (!fs::exists(argv[i])) {
            std::cerr << "no such input: " << argv[i] << '\n';
            return 1;
        }
        for (const fs::path& input : InputsBelow(argv[i])) {
            overran += Replay(input, bounded) ? 0 : 1;
            ++replayed;
        }
    }
    std::cout << "replayed " << replayed << " inputs";
    if (bounded) {
        std::cout << ", " << overran << " over the bound";
    }
    std::cout << '\n';
    return overran == 0 ? 0 : 1;
}
