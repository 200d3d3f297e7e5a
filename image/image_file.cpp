#include "image/image_file.h"

namespace kestrun {

std::size_t CImageFile::Read(void* buffer, std::size_t size, std::size_t count) {
    if (stream_ == nullptr || buffer == nullptr) {
        return 0;
    }
    return std::fread(buffer, size, count, stream_);
}

int CImageFile::Seek(long offset, int origin) {
    if (stream_ == nullptr) {
        return -1;
    }
    return std::fseek(stream_, offset, origin);
}

long CImageFile::Tell() {
    return stream_ == nullptr ? -1 : std::ftell(stream_);
}

long CImageFile::Remaining() {
    const long here = Tell();
    if (here < 0 || std::fseek(stream_, 0, SEEK_END) != 0) {
        return 0;
    }
    const long end = std::ftell(stream_);
    std::fseek(stream_, here, SEEK_SET);
    return end > here ? end - here : 0;
}

}  // namespace kestrun
