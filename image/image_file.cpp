#include "image/image_file.h"

namespace kestrun {

std::size_t CImageFile::Read(void* buffer, std::size_t size, std::size_t count) {
    if (m_stream == nullptr || buffer == nullptr) {
        return 0;
    }
    return std::fread(buffer, size, count, m_stream);
}

int CImageFile::Seek(long offset, int origin) {
    if (m_stream == nullptr) {
        return -1;
    }
    return std::fseek(m_stream, offset, origin);
}

long CImageFile::Tell() {
    return m_stream == nullptr ? -1 : std::ftell(m_stream);
}

long CImageFile::Remaining() {
    const long here = Tell();
    if (here < 0 || std::fseek(m_stream, 0, SEEK_END) != 0) {
        return 0;
    }
    const long end = std::ftell(m_stream);
    std::fseek(m_stream, here, SEEK_SET);
    return end > here ? end - here : 0;
}

bool CImageFile::Eof() const {
    return m_stream == nullptr || std::feof(m_stream) != 0;
}

}  // namespace kestrun
