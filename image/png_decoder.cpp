#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "image/decoders.h"

namespace kestrun {

namespace {

constexpr const char* CreateFailedText = "Failed to create PNG structure";
constexpr const char* InfoFailedText = "Failed to initialize PNG info structure";
constexpr const char* ReadFailedText = "Error reading PNG file";

static_assert(sizeof(png_color) == 3, "palettes are handed over as red-green-blue triples");

// Everything a failed decode must free. Plain data, owned by the caller of ReadPng, so that its
// values survive the library's long jump.
struct PngReadState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_bytep rowBuffer = nullptr;
};

void ReleasePng(PngReadState* state) {
    std::free(state->rowBuffer);
    state->rowBuffer = nullptr;
    png_destroy_read_struct(&state->png, state->info != nullptr ? &state->info : nullptr, nullptr);
}

void ReadFromImageFile(png_structp png, png_bytep destination, size_t length) {
    auto* file = static_cast<CImageFile*>(png_get_io_ptr(png));
    if (file->Read(destination, 1, length) != length) {
        png_error(png, "Read Error");
    }
}

// The 2-bit pixels at the start of row become 4-bit pixels, working from the right end so that
// nothing is overwritten before it is read.
void WidenTwoBitPixels(png_bytep row, png_uint_32 width) {
    for (png_uint_32 x = width; x-- > 0;) {
        const auto value = static_cast<png_byte>((row[x / 4] >> (6 - 2 * (x % 4))) & 0x03);
        png_byte& target = row[x / 2];
        if (x % 2 == 1) {
            target = static_cast<png_byte>((target & 0xF0) | value);
        } else {
            const png_byte right = (x + 1 < width) ? (target & 0x0F) : 0;
            target = static_cast<png_byte>((value << 4) | right);
        }
    }
}

void SetPngPalette(CDibImage& image, png_structp png, png_infop info, int bitDepth) {
    png_colorp palette = nullptr;
    int paletteCount = 0;
    if (png_get_PLTE(png, info, &palette, &paletteCount) != 0 && paletteCount > 0) {
        image.SetPalette(reinterpret_cast<const std::uint8_t*>(palette),
                         static_cast<std::size_t>(paletteCount));
    } else if (bitDepth == 2) {
        for (std::uint8_t i = 0; i < 4; ++i) {
            image.SetPaletteColor(i, 85 * i, 85 * i, 85 * i, 0);
        }
    } else {
        image.SetGreyRamp();
    }
}

void SetPngTransparency(CDibImage& image, png_structp png, png_infop info) {
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    if (png_get_tRNS(png, info, &alphas, &alphaCount, nullptr) == 0 || alphas == nullptr ||
        alphaCount <= 0 || image.GetPalette() == nullptr) {
        return;
    }
    RgbQuad* palette = image.GetPalette();
    const std::uint32_t entries = image.GetHeader().biClrUsed;
    const std::uint32_t given = std::min(static_cast<std::uint32_t>(alphaCount), entries);
    for (std::uint32_t i = 0; i < given; ++i) {
        palette[i].rgbReserved = alphas[i];
    }
    if (alphaCount == 1 && palette[0].rgbReserved == 0) {
        image.SetOutsideIndex(0);
        return;
    }
    for (std::uint32_t i = given; i < entries; ++i) {
        palette[i].rgbReserved = 255;
    }
}

// Puts back the row as earlier passes of an interlaced image left it, red-green-blue-alpha.
void LoadRgbaRow(const CDibImage& image, std::int64_t dibRow, png_bytep buffer) {
    const std::uint8_t* pixels = image.GetBits() + dibRow * image.GetRowBytes();
    for (std::int64_t x = 0; x < image.GetWidth(); ++x) {
        buffer[4 * x] = pixels[3 * x + 2];
        buffer[4 * x + 1] = pixels[3 * x + 1];
        buffer[4 * x + 2] = pixels[3 * x];
        buffer[4 * x + 3] = image.GetAlpha(x, dibRow);
    }
}

void StoreRgbaRow(CDibImage& image, std::int64_t dibRow, png_const_bytep buffer) {
    std::uint8_t* pixels = image.GetBits() + dibRow * image.GetRowBytes();
    for (std::int64_t x = 0; x < image.GetWidth(); ++x) {
        pixels[3 * x] = buffer[4 * x + 2];
        pixels[3 * x + 1] = buffer[4 * x + 1];
        pixels[3 * x + 2] = buffer[4 * x];
        image.SetAlpha(x, dibRow, buffer[4 * x + 3]);
    }
}

// Every library call of a decode after the error return is armed. A library error long-jumps
// out of here, so nothing in this function may need a destructor.
void ReadPngImage(CDibImage& image, PngReadState* state) {
    png_structp png = state->png;
    png_infop info = state->info;
    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
    const int pixelDepth = png_get_channels(png, info) * bitDepth;

    png_color_16p fileBackground = nullptr;
    const bool hasBackground = png_get_bKGD(png, info, &fileBackground) != 0;
    if (pixelDepth != 32) {
        if (hasBackground) {
            png_set_background(png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
        } else {
            png_color_16 defaultBackground{0, 192, 192, 192, 0};
            png_set_background(png, &defaultBackground, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
        }
        if (pixelDepth > 16) {
            colorType = PNG_COLOR_TYPE_RGB;
        }
    } else if (hasBackground) {
        image.SetOutsideColor(RgbQuad{static_cast<std::uint8_t>(fileBackground->blue),
                                      static_cast<std::uint8_t>(fileBackground->green),
                                      static_cast<std::uint8_t>(fileBackground->red), 0});
    }
    if (bitDepth == 16) {
        png_set_strip_16(png);
    }

    const int bitCount = pixelDepth > 16 ? 24 : (pixelDepth == 16 ? 8 : pixelDepth);
    if (image.Create(width, height, bitCount, FORMAT_PNG) == nullptr) {
        png_error(png, "Image too large");
    }
    SetPngPalette(image, png, info, bitDepth);
    SetPngTransparency(image, png, info);

    const bool withAlpha = pixelDepth == 32 && (colorType == PNG_COLOR_TYPE_RGB_ALPHA ||
                                                colorType == PNG_COLOR_TYPE_GRAY_ALPHA);
    if (withAlpha) {
        if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
            png_set_gray_to_rgb(png);
            png_set_expand(png);
        }
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
        if (!image.CreateAlphaPlane()) {
            png_error(png, "Image too large");
        }
    }

    const bool interlaced = interlace != PNG_INTERLACE_NONE;
    const int passes = interlaced ? png_set_interlace_handling(png) : 1;
    png_read_update_info(png, info);
    // Never smaller than what the library writes or what a DIB row holds; zeroed, because the
    // padding at the end of each DIB row is copied from it.
    const std::size_t rowBytes = image.GetRowBytes();
    const std::size_t bufferSize =
        std::max({static_cast<std::size_t>((pixelDepth + 7) / 8) * width + 10,
                  png_get_rowbytes(png, info), rowBytes});
    state->rowBuffer = static_cast<png_bytep>(std::calloc(1, bufferSize));
    if (state->rowBuffer == nullptr) {
        png_error(png, "Out of memory");
    }
    png_bytep buffer = state->rowBuffer;

    for (int pass = 0; pass < passes; ++pass) {
        const bool lastPass = pass == passes - 1;
        for (png_uint_32 y = 0; y < height; ++y) {
            const std::int64_t dibRow = static_cast<std::int64_t>(height) - 1 - y;
            std::uint8_t* pixels = image.GetBits() + dibRow * image.GetRowBytes();
            // Interlaced rows are built up in place, starting from the zero-filled DIB row, so
            // that bits no pass writes stay zero.
            if (withAlpha) {
                if (interlaced) {
                    LoadRgbaRow(image, dibRow, buffer);
                }
                png_read_row(png, buffer, nullptr);
                StoreRgbaRow(image, dibRow, buffer);
                continue;
            }
            if (interlaced) {
                std::memcpy(buffer, pixels, rowBytes);
            }
            png_read_row(png, buffer, nullptr);
            if (lastPass) {
                if (colorType == PNG_COLOR_TYPE_RGB) {
                    image.SwapRedBlue(buffer, bufferSize);
                }
                if (bitDepth == 2) {
                    WidenTwoBitPixels(buffer, width);
                }
            }
            std::memcpy(pixels, buffer, rowBytes);
        }
    }
    std::free(state->rowBuffer);
    state->rowBuffer = nullptr;
    png_read_end(png, info);
}

// Holds the library's error return. No object with a destructor lives in this frame.
void ReadPng(CDibImage& image, CImageFile* file, PngReadState* state) {
    state->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (state->png == nullptr) {
        throw CreateFailedText;
    }
    state->info = png_create_info_struct(state->png);
    if (state->info == nullptr) {
        ReleasePng(state);
        throw InfoFailedText;
    }
    if (setjmp(png_jmpbuf(state->png)) != 0) {
        ReleasePng(state);
        throw ReadFailedText;
    }
    png_set_read_fn(state->png, file, ReadFromImageFile);
    ReadPngImage(image, state);
    ReleasePng(state);
}

}  // namespace

bool CPngImage::Decode(CImageFile* file) {
    PngReadState state;
    try {
        if (file == nullptr) {
            throw ReadFailedText;
        }
        ReadPng(*this, file, &state);
        return true;
    } catch (const char* text) {
        SetErrorText(text);
        return false;
    }
}

}  // namespace kestrun
