#pragma once

#include <png.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrun::testing {

// A PNG to write with libpng's own writer. Rows are given top row first, packed as the file
// stores them (sub-byte samples leftmost in the high bits, 16-bit samples big-endian).
struct PngPicture {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 8;
    int colorType = PNG_COLOR_TYPE_GRAY;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<png_byte> transparency;
    std::optional<png_color_16> background;
    std::vector<std::vector<png_byte>> rows;
};

// The file's bytes; empty when libpng refuses the picture.
std::string EncodePng(const PngPicture& picture);

// Packs one row of samples at the given bit depth.
std::vector<png_byte> PackSamples(const std::vector<unsigned>& samples, int bitDepth);

}  // namespace kestrun::testing
