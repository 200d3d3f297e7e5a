#include "bench/support/bench_files.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "tests/support/png_writer.h"

namespace kestrun::bench {

ScratchFolder::ScratchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kestrun-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern + "/";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WriteBenchFile(const std::string& path, const std::string& content) {
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw std::runtime_error("cannot create " + path);
    }
    const bool written = content.empty() || ::write(fd, content.data(), content.size()) ==
                                                static_cast<ssize_t>(content.size());
    ::close(fd);
    if (!written) {
        throw std::runtime_error("cannot write " + path);
    }
}

void CreateRomSets(const std::string& folder, int count) {
    for (int i = 0; i < count; ++i) {
        // A prime step scatters the numbers, so that the names do not arrive already sorted.
        const int number = static_cast<int>((i * 7919LL) % count);
        WriteBenchFile(folder + (i % 3 == 0 ? "Game" : "game") + std::to_string(number) +
                       (i % 10 == 0 ? ".ZIP" : ".zip"));
        if (i % 5 == 0) {
            WriteBenchFile(folder + "snap" + std::to_string(number) + ".png");
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
