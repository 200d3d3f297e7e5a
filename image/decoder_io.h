#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "image/image_error.h"
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

// Reads exactly bytes bytes, or gives failure: a short file never leaves half a picture.
ImageError ReadExactly(CImageFile& file, void* buffer, std::size_t bytes, ImageError failure);

// Byte-at-a-time reading of run-length data through a small buffer.
class ByteStream {
  public:
    explicit ByteStream(CImageFile& file) : file_(file) {}
    // False at the end of the file.
    bool Next(std::uint8_t& byte);

  private:
    CImageFile& file_;
    std::array<std::uint8_t, 4096> buffer_{};
    std::size_t filled_ = 0;
    std::size_t position_ = 0;
};

}  // namespace kestrun
