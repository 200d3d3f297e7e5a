#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/dib_types.h"
#include "image/image_buffer.h"
#include "image/image_error.h"

namespace kestrun {

class CImageFile;

// One picture held as a packed device-independent bitmap: the 40-byte header, the palette and
// the pixel rows (bottom row first, each padded to 4 bytes) in one block, plus an optional alpha
// plane of width x height bytes in the same row order. Operations on an empty image do nothing
// and return 0, null or false. The decoders derive from it and fill it through these operations.
class CDibImage {
  public:
    explicit CDibImage(ImageFormat format = FORMAT_BMP);
    // Loads the file; a failed load leaves the image empty with the reason in GetErrorText().
    CDibImage(const std::string& path, ImageFormat format);
    virtual ~CDibImage();
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;

    // Life cycle and storage.

    // A new zero-filled image of the given size; the bit count is rounded to 1, 4, 8 or 24. Returns
    // the DIB block, or null (and an empty image) when the size is refused or memory runs out.
    std::uint8_t* Create(std::int64_t width, std::int64_t height, int bitCount, ImageFormat type);
    // Moves from's buffers, header and attributes into this image; from is left empty.
    void TakeOver(CDibImage& from);
    // Copies from's attributes, only while this image is still empty.
    void CopyAttributes(const CDibImage& from);

    bool IsEmpty() const { return dibBlock_.Empty(); }
    const std::uint8_t* GetDibBlock() const { return dibBlock_.Data(); }
    std::uint8_t* GetBits() const { return attributes_.bits; }
    RgbQuad* GetPalette() const;
    std::uint32_t GetPaletteSize() const;
    std::size_t GetSize() const;

    const BitmapInfoHeader& GetHeader() const { return bitmapHeader_; }
    const ImageAttributes& GetAttributes() const { return attributes_; }
    std::int32_t GetWidth() const { return bitmapHeader_.biWidth; }
    std::int32_t GetHeight() const { return bitmapHeader_.biHeight; }
    std::uint16_t GetBitCount() const { return bitmapHeader_.biBitCount; }
    std::uint32_t GetRowBytes() const { return attributes_.rowBytes; }
    ImageFormat GetFormat() const { return attributes_.format; }

    void SetXDpi(std::int32_t dpi);
    void SetYDpi(std::int32_t dpi);
    std::int32_t GetXDpi() const { return attributes_.dpiX; }
    std::int32_t GetYDpi() const { return attributes_.dpiY; }

    const char* GetErrorText() const { return attributes_.errorText; }
    // Stores at most 255 characters of text; null clears it.
    void SetErrorText(const char* text);

    std::int32_t GetOutsideIndex() const { return attributes_.outsideIndex; }
    void SetOutsideIndex(std::int32_t index) { attributes_.outsideIndex = index; }
    RgbQuad GetOutsideColor() const { return attributes_.outsideColor; }
    void SetOutsideColor(RgbQuad color) { attributes_.outsideColor = color; }
    std::int32_t GetImageIndex() const { return attributes_.imageIndex; }
    void SetImageIndex(std::int32_t index) { attributes_.imageIndex = index; }
    std::int32_t GetImageCount() const { return attributes_.imageCount; }

    // Loading (the file source and dispatch by format code).

    // Opens path and decodes it with the decoder of type. When the file cannot be opened it
    // returns false and leaves the error text as it was.
    bool Load(const std::string& path, ImageFormat type);
    // Decodes from file with the decoder of type; on success this image holds the picture and the
    // decoder's attributes, on failure it is unchanged apart from the error text.
    bool Decode(CImageFile* file, ImageFormat type);

    // Palette. All do nothing without a palette; indexes beyond it are ignored or read as zero.

    // count red-green-blue triples, stored as blue-green-red; reserved bytes are kept.
    void SetPalette(const std::uint8_t* rgbTriples, std::size_t count);
    void SetPalette(const RgbQuad* entries, std::size_t count);
    void SetPaletteColor(std::uint32_t index, std::uint8_t red, std::uint8_t green,
                         std::uint8_t blue, std::uint8_t alpha = 0);
    RgbQuad GetPaletteColor(std::uint32_t index) const;
    void SetGreyRamp();
    // The closest entry by squared distance; ties keep the lower index.
    std::uint32_t NearestPaletteIndex(RgbQuad color) const;

    // Pixels: x from the left, y the DIB row (0 = bottom row).

    bool ContainsPoint(std::int64_t x, std::int64_t y) const;
    std::uint8_t GetPixelIndex(std::int64_t x, std::int64_t y) const;
    void SetPixelIndex(std::int64_t x, std::int64_t y, std::uint32_t index);
    RgbQuad GetPixelColor(std::int64_t x, std::int64_t y) const;
    void SetPixelColor(std::int64_t x, std::int64_t y, RgbQuad color);
    void SetPixelColor(std::int64_t x, std::int64_t y, ColorRef color);
    // Exchanges red and blue of the 3-byte pixels in the first min(length, rowBytes) bytes of
    // row; 24-bit images only.
    void SwapRedBlue(std::uint8_t* row, std::size_t length) const;

    // Alpha plane: 0 transparent, 255 opaque.

    // Replaces any plane with a new, fully transparent one; false when there is no room for it
    // (the plane and the DIB block together stay within MaxImageBytes).
    bool CreateAlphaPlane();
    void DeleteAlphaPlane();
    bool HasAlphaPlane() const { return !alphaPlane_.Empty(); }
    const std::uint8_t* GetAlphaPlane() const { return alphaPlane_.Data(); }
    void SetAlpha(std::int64_t x, std::int64_t y, std::uint8_t alpha);
    std::uint8_t GetAlpha(std::int64_t x, std::int64_t y) const;

    // Changes the size. fast picks nearest neighbour; otherwise area averaging when a 24-bit
    // image shrinks in both directions, bilinear interpolation in every other case. False for a
    // zero size.
    bool Rescale(std::uint32_t newWidth, std::uint32_t newHeight, bool fast);

  protected:
    // Ends a decoder's Decode: on failure the image is emptied and keeps the error's text.
    // True for ImageOk.
    bool ReportDecode(ImageError error);

    ImageBuffer<std::uint8_t> dibBlock_;
    BitmapInfoHeader bitmapHeader_;
    ImageAttributes attributes_;
    ImageBuffer<std::uint8_t> alphaPlane_;

  private:
    void FreeBuffers();
    std::uint8_t* RowAt(std::int64_t y) const;
};

}  // namespace kestrun
