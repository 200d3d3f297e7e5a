#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <new>

#include "image/dib_image.h"
#include "image/image_file.h"

namespace kestrun {

// Little-endian fields of a header already read into memory.
inline std::uint16_t ReadLe16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}
inline std::uint32_t ReadLe32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
           (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
}

// True when all bytes bytes could be read.
bool ReadAll(CImageFile& file, void* buffer, std::size_t bytes);

// Reads exactly bytes bytes or throws failureText: a short file never leaves half a picture.
void ReadExactly(CImageFile& file, void* buffer, std::size_t bytes, const char* failureText);

// Byte-at-a-time reading of run-length data through a small buffer.
class ByteStream {
  public:
    explicit ByteStream(CImageFile& file) : m_file(file) {}
    // False at the end of the file.
    bool Next(std::uint8_t& byte);

  private:
    CImageFile& m_file;
    std::array<std::uint8_t, 4096> m_buffer{};
    std::size_t m_filled = 0;
    std::size_t m_position = 0;
};

// Runs a decoder body under the failure convention: a thrown text, or running out of memory,
// ends up in image's error text and gives false; nothing is thrown further.
template <typename Body>
bool RunDecoder(CDibImage& image, const char* outOfMemoryText, Body&& body) {
    try {
        body();
        return true;
    } catch (const char* text) {
        image.SetErrorText(text);
    } catch (const std::bad_alloc&) {
        image.SetErrorText(outOfMemoryText);
    }
    return false;
}

}  // namespace kestrun
