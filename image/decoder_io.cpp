#include "image/decoder_io.h"

namespace kestrun {

ImageError ReadExactly(CImageFile& file, void* buffer, std::size_t bytes, ImageError failure) {
    if (bytes == 0 || file.Read(buffer, 1, bytes) == bytes) {
        return ImageOk;
    }
    return failure;
}

bool ByteStream::Next(std::uint8_t& byte) {
    if (position_ == filled_) {
        filled_ = file_.Read(buffer_.data(), 1, buffer_.size());
        position_ = 0;
        if (filled_ == 0) {
            return false;
        }
    }
    byte = buffer_[position_++];
    return true;
}

}  // namespace kestrun
