#include "image/decoder_io.h"

namespace kestrun {

bool ReadAll(CImageFile& file, void* buffer, std::size_t bytes) {
    return bytes == 0 || file.Read(buffer, 1, bytes) == bytes;
}

void ReadExactly(CImageFile& file, void* buffer, std::size_t bytes, const char* failureText) {
    if (!ReadAll(file, buffer, bytes)) {
        throw failureText;
    }
}

bool ByteStream::Next(std::uint8_t& byte) {
    if (m_position == m_filled) {
        m_filled = m_file.Read(m_buffer.data(), 1, m_buffer.size());
        m_position = 0;
        if (m_filled == 0) {
            return false;
        }
    }
    byte = m_buffer[m_position++];
    return true;
}

}  // namespace kestrun
