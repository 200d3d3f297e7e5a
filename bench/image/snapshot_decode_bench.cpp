// Decoding a 640 x 480 8-bit RGB snapshot into a CDibImage and fitting it smoothly into the
// 232 x 232 picture box, against a bare libpng decode of the same bytes into an RGB buffer.
// Both read the same in-memory stream. Prints the ratio of the two.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/support/bare_baselines.h"
#include "bench/support/bench_files.h"
#include "bench/support/fastest_recorder.h"
#include "image/dib_image.h"
#include "image/image_file.h"

namespace kestrun {
namespace {

void BareLibpngDecode(benchmark::State& state, const std::string& bytes) {
    std::vector<png_byte> rgb;
    for (auto _ : state) {
        std::FILE* stream = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
        const bool decoded = bench::BareDecodePng(stream, rgb);
        std::fclose(stream);
        if (!decoded) {
            state.SkipWithError("bare decode failed");
            return;
        }
        benchmark::DoNotOptimize(rgb.data());
    }
}

void DecodeAndFit(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        std::FILE* stream = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
        CDibImage image;
        bool done = false;
        {
            CImageFile file(stream);
            done = image.Decode(&file, FORMAT_PNG) && image.Rescale(232, 232, false);
        }
        std::fclose(stream);
        if (!done) {
            state.SkipWithError("decode or fit failed");
            return;
        }
        benchmark::DoNotOptimize(image.GetBits());
    }
}

}  // namespace
}  // namespace kestrun

int main(int argc, char** argv) {
    using namespace kestrun;
    benchmark::Initialize(&argc, argv);
    const std::string bytes = bench::MakeSnapshotPng();
    if (bytes.empty()) {
        std::printf("could not write the test picture\n");
        return 1;
    }
    for (auto* bench : {benchmark::RegisterBenchmark("BareLibpngDecode", BareLibpngDecode, bytes),
                        benchmark::RegisterBenchmark("DecodeAndFit", DecodeAndFit, bytes)}) {
        RepeatForFastest(bench);
    }
    FastestRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double bare = reporter.fastest["BareLibpngDecode"];
    const double ours = reporter.fastest["DecodeAndFit"];
    if (bare <= 0 || ours <= 0) {
        std::printf("ratio not computed: run every benchmark (no filter)\n");
        return 0;
    }
    std::printf("decode and fit to 232x232 / bare libpng decode: %.2f (target at most 1.50)\n",
                ours / bare);
    return 0;
}
