#include "bench/support/bare_baselines.h"

#include <dirent.h>

#include <algorithm>
#include <csetjmp>
#include <string_view>

#include "games/ascii_case.h"

namespace kestrun::bench {

std::vector<std::string> BareListAndSortZipNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() >= 4 && EqualsIgnoringCase(name.substr(name.size() - 4), ".zip")) {
            names.emplace_back(name);
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

bool BareDecodePng(std::FILE* stream, std::vector<png_byte>& pixels) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
        return false;
    }
    png_init_io(png, stream);
    png_read_info(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    pixels.resize(rowBytes * height);
    for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(png, pixels.data() + y * rowBytes, nullptr);
    }
    png_read_end(png, info);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace kestrun::bench
