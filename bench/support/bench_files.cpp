#include "bench/support/bench_files.h"

#include <png.h>

#include <vector>

#include "tests/support/png_writer.h"

namespace kestrun::bench {

void CreateRomSets(const testing::TempFolder& scratch, const std::string& folder, int count) {
    scratch.MakeFolder(folder);
    for (int i = 0; i < count; ++i) {
        // A prime step scatters the numbers, so that the names do not arrive already sorted.
        const int number = static_cast<int>((i * 7919LL) % count);
        scratch.WriteFile(folder + (i % 3 == 0 ? "Game" : "game") + std::to_string(number) +
                          (i % 10 == 0 ? ".ZIP" : ".zip"));
        if (i % 5 == 0) {
            scratch.WriteFile(folder + "snap" + std::to_string(number) + ".png");
        }
    }
}

std::string MakeSnapshotPng() {
    constexpr png_uint_32 Width = 640;
    constexpr png_uint_32 Height = 480;
    testing::PngPicture picture;
    picture.width = Width;
    picture.height = Height;
    picture.colorType = PNG_COLOR_TYPE_RGB;
    // Smooth gradients with some fine detail.
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

}  // namespace kestrun::bench
