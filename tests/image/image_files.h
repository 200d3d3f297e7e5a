#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "fuzz/memory_decode.h"
#include "image/dib_image.h"

namespace kestrun::testing {

using Bytes = std::vector<std::uint8_t>;

// Builds a little-endian file in memory.
struct ByteWriter {
    Bytes bytes;
    ByteWriter& U8(std::uint32_t value) {
        bytes.push_back(static_cast<std::uint8_t>(value));
        return *this;
    }
    ByteWriter& U16(std::uint32_t value) { return U8(value).U8(value >> 8); }
    ByteWriter& U32(std::uint32_t value) { return U16(value).U16(value >> 16); }
    ByteWriter& Append(const Bytes& more, std::size_t zeros = 0) {
        bytes.insert(bytes.end(), more.begin(), more.end());
        bytes.insert(bytes.end(), zeros, 0);
        return *this;
    }
};

template <typename File>
bool Decode(const File& file, ImageFormat format, CDibImage& image) {
    return DecodeMemory(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), format,
                        image);
}

inline Bytes Truncated(Bytes file, std::size_t size) {
    file.resize(size);
    return file;
}

// A file the decoder must read, and what it must give: 0xRRGGBB of each pixel, bottom row first,
// and the alpha plane (empty when there must be none).
inline void ExpectDecodes(ImageFormat format, const char* name, const Bytes& file,
                          std::uint16_t bitCount, const std::vector<std::uint32_t>& rgb,
                          const std::vector<int>& alpha = {}) {
    SCOPED_TRACE(name);
    CDibImage image;
    ASSERT_TRUE(Decode(file, format, image)) << image.GetErrorText();
    EXPECT_EQ(image.GetBitCount(), bitCount);
    ASSERT_EQ(static_cast<std::size_t>(image.GetWidth()) * image.GetHeight(), rgb.size());
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        const RgbQuad colour = image.GetPixelColor(i % image.GetWidth(), i / image.GetWidth());
        EXPECT_EQ(colour.rgbRed << 16 | colour.rgbGreen << 8 | colour.rgbBlue, rgb[i]) << i;
    }
    ASSERT_EQ(image.HasAlphaPlane(), !alpha.empty());
    EXPECT_TRUE(std::equal(alpha.begin(), alpha.end(), image.GetAlphaPlane()));
}

// A file the decoder must refuse, with its error text, leaving the image empty.
inline void ExpectRefused(ImageFormat format, const char* name, const Bytes& file,
                          const char* text) {
    CDibImage image;
    EXPECT_FALSE(Decode(file, format, image)) << name;
    EXPECT_STREQ(image.GetErrorText(), text) << name;
    EXPECT_TRUE(image.IsEmpty()) << name;
}

}  // namespace kestrun::testing
