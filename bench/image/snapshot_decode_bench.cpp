// Decoding a 640 x 480 8-bit RGB snapshot into a CDibImage and fitting it smoothly into the
// 232 x 232 picture box, against a bare libpng decode of the same bytes into an RGB buffer.
// Both read the same in-memory stream. Prints the ratio of the two.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/support/fastest_recorder.h"
#include "image/dib_image.h"
#include "image/image_file.h"
#include "tests/support/png_writer.h"

namespace kestrun {
namespace {

constexpr png_uint_32 Width = 640;
constexpr png_uint_32 Height = 480;

// Smooth gradients with some fine detail, compressing about as well as a game screen.
std::string MakeSnapshot() {
    testing::PngPicture picture;
    picture.width = Width;
    picture.height = Height;
    picture.colorType = PNG_COLOR_TYPE_RGB;
    unsigned noise = 12345;
    for (png_uint_32 y = 0; y < Height; ++y) {
        std::vector<png_byte> row(3 * Width);
        for (png_uint_32 x = 0; x < Width; ++x) {
            noise = noise * 1103515245 + 12345;
            const unsigned grain = (noise >> 16) & 0x0F;
            row[3 * x] =
                static_cast<png_byte>((x * 255 / Width) ^ ((x / 16 + y / 16) % 2 ? 0x20 : 0));
            row[3 * x + 1] = static_cast<png_byte>(y * 255 / Height + grain);
            row[3 * x + 2] = static_cast<png_byte>(((x + y) / 4) + grain);
        }
        picture.rows.push_back(std::move(row));
    }
    return testing::EncodePng(picture);
}

bool BareDecode(std::FILE* stream, png_bytep rgb, png_uint_32 rowBytes) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
        return false;
    }
    png_init_io(png, stream);
    png_read_info(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(png, rgb + y * rowBytes, nullptr);
    }
    png_read_end(png, info);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

void BareLibpngDecode(benchmark::State& state, const std::string& bytes) {
    std::vector<png_byte> rgb(3 * Width * Height);
    for (auto _ : state) {
        std::FILE* stream = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
        const bool decoded = BareDecode(stream, rgb.data(), 3 * Width);
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
    const std::string bytes = MakeSnapshot();
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
