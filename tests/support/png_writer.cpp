#include "tests/support/png_writer.h"

namespace kestrun::testing {

namespace {

void AppendToString(png_structp png, png_bytep data, size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void FlushNothing(png_structp) {}

// libpng long-jumps on errors: no object with a destructor lives in this frame.
bool WritePng(const PngPicture& picture, png_bytepp rows, std::string* output) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, output, AppendToString, FlushNothing);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colorType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!picture.palette.empty()) {
        png_set_PLTE(png, info, picture.palette.data(), static_cast<int>(picture.palette.size()));
    }
    if (!picture.transparency.empty()) {
        png_set_tRNS(png, info, picture.transparency.data(),
                     static_cast<int>(picture.transparency.size()), nullptr);
    }
    if (picture.background) {
        png_set_bKGD(png, info, &*picture.background);
    }
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string EncodePng(const PngPicture& picture) {
    std::vector<png_bytep> rows;
    for (const auto& row : picture.rows) {
        rows.push_back(const_cast<png_bytep>(row.data()));
    }
    std::string output;
    if (!WritePng(picture, rows.data(), &output)) {
        return {};
    }
    return output;
}

std::vector<png_byte> PackSamples(const std::vector<unsigned>& samples, int bitDepth) {
    std::vector<png_byte> row;
    if (bitDepth == 16) {
        for (unsigned sample : samples) {
            row.push_back(static_cast<png_byte>(sample >> 8));
            row.push_back(static_cast<png_byte>(sample));
        }
        return row;
    }
    const int perByte = 8 / bitDepth;
    row.assign((samples.size() + perByte - 1) / perByte, 0);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const int shift = 8 - bitDepth * static_cast<int>(i % perByte + 1);
        row[i / perByte] |= static_cast<png_byte>((samples[i] & ((1u << bitDepth) - 1)) << shift);
    }
    return row;
}

}  // namespace kestrun::testing
