#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fuzz/memory_decode.h"
#include "image/dib_image.h"

namespace kestrun::testing {

// Builds a little-endian file in memory.
class ByteWriter {
  public:
    ByteWriter& U8(std::uint32_t value) {
        m_bytes.push_back(static_cast<std::uint8_t>(value));
        return *this;
    }
    ByteWriter& U16(std::uint32_t value) { return U8(value).U8(value >> 8); }
    ByteWriter& U32(std::uint32_t value) { return U16(value).U16(value >> 16); }
    ByteWriter& Bytes(std::initializer_list<std::uint8_t> bytes) {
        m_bytes.insert(m_bytes.end(), bytes);
        return *this;
    }
    ByteWriter& Repeat(std::uint8_t value, std::size_t count) {
        m_bytes.insert(m_bytes.end(), count, value);
        return *this;
    }
    ByteWriter& Append(const std::vector<std::uint8_t>& bytes) {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    std::size_t Size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t>& Data() const { return m_bytes; }
    std::vector<std::uint8_t>& Data() { return m_bytes; }

  private:
    std::vector<std::uint8_t> m_bytes;
};

inline bool Decode(const std::vector<std::uint8_t>& file, ImageFormat format, CDibImage& image) {
    return DecodeMemory(file.data(), file.size(), format, image);
}

// The error text of a failed decode, or "decoded" when it succeeded.
inline std::string FailureOf(const std::vector<std::uint8_t>& file, ImageFormat format) {
    CDibImage image;
    if (Decode(file, format, image)) {
        return "decoded";
    }
    EXPECT_TRUE(image.IsEmpty());
    return image.GetErrorText();
}

// A file a decoder must refuse, and the error text it must refuse it with.
struct FailureCase {
    const char* name;
    std::vector<std::uint8_t> file;
    const char* text;
};

inline std::vector<std::uint8_t> Truncated(std::vector<std::uint8_t> file, std::size_t size) {
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
