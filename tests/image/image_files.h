#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fuzz/memory_decode.h"
#include "image/dib_image.h"

namespace kestrun::testing {

using Bytes = std::vector<std::uint8_t>;

// Builds a little-endian file in memory.
class ByteWriter {
  public:
    ByteWriter& U8(std::uint32_t value) {
        bytes_.push_back(static_cast<std::uint8_t>(value));
        return *this;
    }
    ByteWriter& U16(std::uint32_t value) { return U8(value).U8(value >> 8); }
    ByteWriter& U32(std::uint32_t value) { return U16(value).U16(value >> 16); }
    ByteWriter& Repeat(std::uint8_t value, std::size_t count) {
        bytes_.insert(bytes_.end(), count, value);
        return *this;
    }
    ByteWriter& Append(const Bytes& bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    std::size_t Size() const { return bytes_.size(); }
    const Bytes& Data() const { return bytes_; }

  private:
    Bytes bytes_;
};

// Decodes a file held in bytes or in a string.
template <typename File>
bool Decode(const File& file, ImageFormat format, CDibImage& image) {
    return DecodeMemory(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), format,
                        image);
}

// A file a decoder must read, and what it must give.
struct DecodeCase {
    const char* name;
    Bytes file;
    std::uint16_t bitCount;
    std::vector<std::uint32_t> rgb;  // 0xRRGGBB of each pixel, bottom row first
    std::vector<int> alpha;          // the alpha plane; empty when there must be none
};

inline void ExpectDecodes(const DecodeCase& c, ImageFormat format) {
    CDibImage image;
    ASSERT_TRUE(Decode(c.file, format, image)) << image.GetErrorText();
    EXPECT_EQ(image.GetBitCount(), c.bitCount);
    ASSERT_EQ(static_cast<std::size_t>(image.GetWidth()) * image.GetHeight(), c.rgb.size());
    for (std::size_t i = 0; i < c.rgb.size(); ++i) {
        const RgbQuad colour = image.GetPixelColor(i % image.GetWidth(), i / image.GetWidth());
        EXPECT_EQ(colour.rgbRed << 16 | colour.rgbGreen << 8 | colour.rgbBlue, c.rgb[i]) << i;
    }
    ASSERT_EQ(image.HasAlphaPlane(), !c.alpha.empty());
    EXPECT_TRUE(std::equal(c.alpha.begin(), c.alpha.end(), image.GetAlphaPlane()));
}

// A file a decoder must refuse, and the error text it must refuse it with: the image is then
// left empty.
struct FailureCase {
    const char* name;
    Bytes file;
    const char* text;
};

inline void ExpectFailure(const FailureCase& c, ImageFormat format) {
    CDibImage image;
    EXPECT_FALSE(Decode(c.file, format, image));
    EXPECT_STREQ(image.GetErrorText(), c.text);
    EXPECT_TRUE(image.IsEmpty());
}

inline Bytes Truncated(Bytes file, std::size_t size) {
    file.resize(size);
    return file;
}

// Names each case of a parameterised test after its name field.
struct CaseName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        return info.param.name;
    }
};

}  // namespace kestrun::testing
