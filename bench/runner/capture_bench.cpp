// What the capture costs a talkative emulator: 1 MiB written into a pipe by another thread,
// once drained by the output capture and once read 64 KiB at a time by a bare loop. Both
// include creating the pipe and the writing thread. Prints the ratio of the two.
#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <thread>
#include <vector>

#include "bench/support/fastest_recorder.h"
#include "launch/output_capture.h"

namespace kestrun {
namespace {

constexpr std::size_t OutputBytes = std::size_t{1} << 20;
constexpr std::size_t BlockBytes = std::size_t{64} << 10;

// Writes OutputBytes in blocks, as a program writing its log would.
void WriteOutput(int fd) {
    const std::vector<char> block(BlockBytes, 'x');
    for (std::size_t left = OutputBytes; left > 0;) {
        const ssize_t written = ::write(fd, block.data(), std::min(left, block.size()));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        left -= static_cast<std::size_t>(written);
    }
}

void BarePipe(benchmark::State& state) {
    std::vector<char> block(BlockBytes);
    for (auto _ : state) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        std::thread writer([&ends] {
            WriteOutput(ends[1]);
            ::close(ends[1]);
        });
        std::size_t total = 0;
        for (ssize_t count = 1; count > 0 || (count < 0 && errno == EINTR);) {
            count = ::read(ends[0], block.data(), block.size());
            total += count > 0 ? static_cast<std::size_t>(count) : 0;
        }
        writer.join();
        ::close(ends[0]);
        benchmark::DoNotOptimize(total);
    }
}

void Capture(benchmark::State& state) {
    for (auto _ : state) {
        OutputCapture capture;
        if (!capture.Start()) {
            state.SkipWithError("no capture");
            return;
        }
        std::thread writer([&capture] { WriteOutput(capture.WriteEnd()); });
        writer.join();
        capture.Join();
        benchmark::DoNotOptimize(capture.Tail().data());
    }
}

}  // namespace
}  // namespace kestrun

int main(int argc, char** argv) {
    using namespace kestrun;
    benchmark::Initialize(&argc, argv);
    for (auto* bench : {benchmark::RegisterBenchmark("BarePipe1MiB", BarePipe),
                        benchmark::RegisterBenchmark("Capture1MiB", Capture)}) {
        RepeatForFastest(bench);
        bench->UseRealTime();
    }
    FastestRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double bare = reporter.fastestWallTime["BarePipe1MiB"];
    const double ours = reporter.fastestWallTime["Capture1MiB"];
    if (bare <= 0 || ours <= 0) {
        std::printf("ratio not computed: run every benchmark (no filter)\n");
        return 0;
    }
    std::printf("capture of 1 MiB / bare pipe read 64 KiB at a time: %.2f (target at most 1.50)\n",
                ours / bare);
    return 0;
}
