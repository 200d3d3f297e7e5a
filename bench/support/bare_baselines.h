#pragma once

#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

// What the program's own work is measured against: the plainest code that does the same job.
namespace kestrun::bench {

// The ".zip" names (any letter case) of a folder, sorted as the game list sorts them, each a
// string of its own; empty when the folder cannot be listed.
std::vector<std::string> BareListAndSortZipNames(const std::string& folder);

// Decodes a PNG with libpng alone, rows straight into pixels (resized to fit); false on error.
bool BareDecodePng(std::FILE* stream, std::vector<png_byte>& pixels);

}  // namespace kestrun::bench
