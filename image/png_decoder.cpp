#include <png.h>

#include <algorithm>
#include <limits>

#include "image/decoders.h"
#include "image/dib_layout.h"
#include "image/image_buffer.h"

namespace kestrun {

namespace {

static_assert(sizeof(png_color) == 3, "palettes are handed over as red-green-blue triples");

// Ancillary chunks the picture never uses, 4 letters and a terminating zero each: libpng neither
// keeps nor inflates them, however many a file holds.
constexpr png_byte IgnoredChunks[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf";
constexpr int IgnoredChunkCount = sizeof(IgnoredChunks) / 5;

// What the read callback may still deliver. Unlimited while the header and the chunks before
// the image data are read; then what the image data can need at most, so that compressed data
// far beyond what the rows take is never inflated.
struct PngSource {
    CImageFile* file = nullptr;
    std::uint64_t allowance = std::numeric_limits<std::uint64_t>::max();
};

// Everything a failed decode must free. Owned by the caller of ReadPng, so that it survives the
// library's long jump.
struct PngReadState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngSource source;
    ImageBuffer<png_byte> rowBuffer;
};

void ReadFromImageFile(png_structp png, png_bytep destination, size_t length) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > source->allowance || source->file->Read(destination, 1, length) != length) {
        png_error(png, "Read Error");
    }
    source->allowance -= length;
}

// The most compressed bytes the image data of a picture can take, chunk framing included:
// every stored row with its filter bytes (up to 8 for the passes of an interlaced picture),
// deflate's stored blocks at their least compact, and chunks split into small pieces.
std::uint64_t ImageDataAllowance(std::uint64_t fileRowBytes, std::uint64_t height) {
    const std::uint64_t stored = height * (fileRowBytes + 8);
    return stored + stored / 4 + height * 64 + 65536;
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
    RgbQuad* palette = image.GetPalette();
    if (png_get_tRNS(png, info, &alphas, &alphaCount, nullptr) == 0 || alphas == nullptr ||
        alphaCount <= 0 || palette == nullptr) {
        return;
    }
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

std::uint8_t* DibRow(const CDibImage& image, std::int64_t dibRow) {
    return image.GetBits() + dibRow * image.GetRowBytes();
}

// Puts back the row as earlier passes of an interlaced image left it, red-green-blue-alpha.
void LoadRgbaRow(const CDibImage& image, std::int64_t dibRow, png_bytep buffer) {
    const std::uint8_t* pixels = DibRow(image, dibRow);
    for (std::int64_t x = 0; x < image.GetWidth(); ++x) {
        buffer[4 * x] = pixels[3 * x + 2];
        buffer[4 * x + 1] = pixels[3 * x + 1];
        buffer[4 * x + 2] = pixels[3 * x];
        buffer[4 * x + 3] = image.GetAlpha(x, dibRow);
    }
}

void StoreRgbaRow(CDibImage& image, std::int64_t dibRow, png_const_bytep buffer) {
    std::uint8_t* pixels = DibRow(image, dibRow);
    for (std::int64_t x = 0; x < image.GetWidth(); ++x) {
        pixels[3 * x] = buffer[4 * x + 2];
        pixels[3 * x + 1] = buffer[4 * x + 1];
        pixels[3 * x + 2] = buffer[4 * x];
        image.SetAlpha(x, dibRow, buffer[4 * x + 3]);
    }
}

// Rows with alpha come as red, green, blue and alpha bytes through the row buffer. Interlaced
// rows are built up in place: the buffer handed over holds the row as earlier passes left it.
void ReadRgbaRows(CDibImage& image, PngReadState* state, int passes) {
    const std::int64_t height = image.GetHeight();
    for (int pass = 0; pass < passes; ++pass) {
        for (std::int64_t y = 0; y < height; ++y) {
            const std::int64_t dibRow = height - 1 - y;
            const bool inPass = passes == 1 || PNG_ROW_IN_INTERLACE_PASS(y, pass);
            if (inPass && passes > 1) {
                LoadRgbaRow(image, dibRow, state->rowBuffer.Data());
            }
            png_read_row(state->png, state->rowBuffer.Data(), nullptr);
            if (inPass) {
                StoreRgbaRow(image, dibRow, state->rowBuffer.Data());
            }
        }
    }
}

// Every other picture is read straight into the DIB rows, which start zero-filled: interlaced
// passes add their pixels to what the earlier ones left, and bits no pass writes stay zero.
void ReadRowsInPlace(CDibImage& image, png_structp png, int passes, int bitDepth) {
    const std::int64_t height = image.GetHeight();
    for (int pass = 0; pass < passes; ++pass) {
        for (std::int64_t y = 0; y < height; ++y) {
            png_read_row(png, DibRow(image, height - 1 - y), nullptr);
        }
    }
    if (bitDepth == 2) {
        for (std::int64_t row = 0; row < height; ++row) {
            WidenTwoBitPixels(DibRow(image, row), static_cast<png_uint_32>(image.GetWidth()));
        }
    }
}

// Every library call of a decode after the error return is armed. A library error long-jumps
// out of here, so nothing in this function may need a destructor.
// Without an alpha channel the picture is composed over the file's background (light grey
// without one); with it, the file's background becomes the colour outside the picture.
void SetPngBackground(CDibImage& image, png_structp png, png_infop info, int pixelDepth) {
    png_color_16p fileBackground = nullptr;
    const bool hasBackground = png_get_bKGD(png, info, &fileBackground) != 0;
    if (pixelDepth != 32) {
        if (hasBackground) {
            png_set_background(png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
        } else {
            png_color_16 defaultBackground{0, 192, 192, 192, 0};
            png_set_background(png, &defaultBackground, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
        }
    } else if (hasBackground) {
        image.SetOutsideColor(RgbQuad{static_cast<std::uint8_t>(fileBackground->blue),
                                      static_cast<std::uint8_t>(fileBackground->green),
                                      static_cast<std::uint8_t>(fileBackground->red), 0});
    }
}

// What the rows' reading needs to know of the file.
struct PngRowLayout {
    int interlace;
    int bitDepth;
    bool withAlpha;
    std::uint64_t fileRowBytes;
    png_uint_32 height;
};

// The rows, every pass of them, into the image made for them.
void ReadPngRows(CDibImage& image, PngReadState* state, const PngRowLayout& layout) {
    png_structp png = state->png;
    png_infop info = state->info;
    const int passes = layout.interlace != PNG_INTERLACE_NONE ? png_set_interlace_handling(png) : 1;
    png_read_update_info(png, info);
    const std::size_t libraryRowBytes = png_get_rowbytes(png, info);
    if (layout.withAlpha) {
        state->rowBuffer = ImageBuffer<png_byte>::Zeroed(libraryRowBytes);
        if (state->rowBuffer.Empty()) {
            png_error(png, "Out of memory");
        }
    } else if (libraryRowBytes > image.GetRowBytes()) {
        png_error(png, "Rows larger than the image");
    }

    state->source.allowance = ImageDataAllowance(layout.fileRowBytes, layout.height);
    if (layout.withAlpha) {
        ReadRgbaRows(image, state, passes);
    } else {
        ReadRowsInPlace(image, png, passes, layout.bitDepth);
    }
}

void ReadPngImage(CDibImage& image, PngReadState* state) {
    png_structp png = state->png;
    png_infop info = state->info;
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, IgnoredChunks, IgnoredChunkCount);
    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
    const int pixelDepth = png_get_channels(png, info) * bitDepth;
    const std::uint64_t fileRowBytes = png_get_rowbytes(png, info);

    SetPngBackground(image, png, info, pixelDepth);
    if (pixelDepth != 32 && pixelDepth > 16) {
        colorType = PNG_COLOR_TYPE_RGB;
    }
    if (bitDepth == 16) {
        png_set_strip_16(png);
    }

    const int bitCount = pixelDepth > 16 ? 24 : (pixelDepth == 16 ? 8 : pixelDepth);
    const bool withAlpha = pixelDepth == 32 && (colorType == PNG_COLOR_TYPE_RGB_ALPHA ||
                                                colorType == PNG_COLOR_TYPE_GRAY_ALPHA);
    // The whole picture, alpha plane included, must fit before anything is allocated.
    if (!ComputeDibLayout(width, height, bitCount, withAlpha) ||
        image.Create(width, height, bitCount, FORMAT_PNG) == nullptr) {
        png_error(png, "Image too large");
    }
    SetPngPalette(image, png, info, bitDepth);
    SetPngTransparency(image, png, info);
    if (withAlpha) {
        if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
            png_set_gray_to_rgb(png);
            png_set_expand(png);
        }
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
        if (!image.CreateAlphaPlane()) {
            png_error(png, "Image too large");
        }
    } else if (colorType == PNG_COLOR_TYPE_RGB) {
        png_set_bgr(png);  // the DIB's order
    }

    ReadPngRows(image, state, {interlace, bitDepth, withAlpha, fileRowBytes, height});
    // Nothing after the image data is read: the chunks there are never used. (With the last row
    // the library inflates the rest of the compressed data, as far as the allowance lets it.)
}

// Holds the library's error return. No object with a destructor lives in this frame.
ImageError ReadPng(CDibImage& image, PngReadState* state) {
    state->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (state->png == nullptr) {
        return PngStructureFailed;
    }
    state->info = png_create_info_struct(state->png);
    if (state->info == nullptr) {
        png_destroy_read_struct(&state->png, nullptr, nullptr);
        return PngInfoFailed;
    }
    if (setjmp(png_jmpbuf(state->png)) != 0) {
        png_destroy_read_struct(&state->png, &state->info, nullptr);
        return PngReadFailed;
    }
    png_set_read_fn(state->png, &state->source, ReadFromImageFile);
    ReadPngImage(image, state);
    png_destroy_read_struct(&state->png, &state->info, nullptr);
    return ImageOk;
}

}  // namespace

bool CPngImage::Decode(CImageFile* file) {
    if (file == nullptr) {
        return ReportDecode(PngReadFailed);
    }
    PngReadState state;
    state.source.file = file;
    return ReportDecode(ReadPng(*this, &state));
}

}  // namespace kestrun
