#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "image/dib_image.h"
#include "image/image_file.h"

namespace kestrun {

// A read-only C stream over bytes in memory, closed with the object.
class MemoryStream {
  public:
    MemoryStream(const std::uint8_t* data, std::size_t size) {
        static std::uint8_t noBytes = 0;
        // The stream is opened for reading only, so it never writes through the pointer.
        stream_ = fmemopen(data == nullptr ? &noBytes : const_cast<std::uint8_t*>(data),
                           data == nullptr ? 0 : size, "rb");
    }
    ~MemoryStream() {
        if (stream_ != nullptr) {
            std::fclose(stream_);
        }
    }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    std::FILE* Stream() const { return stream_; }

  private:
    std::FILE* stream_ = nullptr;
};

// Decodes a file held in memory through the same dispatch and file source as a file on disk.
inline bool DecodeMemory(const std::uint8_t* data, std::size_t size, ImageFormat format,
                         CDibImage& image) {
    const MemoryStream memory(data, size);
    if (memory.Stream() == nullptr) {
        return false;
    }
    CImageFile file(memory.Stream());
    return image.Decode(&file, format);
}

}  // namespace kestrun
