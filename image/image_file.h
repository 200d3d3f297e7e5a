#pragma once

#include <cstddef>
#include <cstdio>

namespace kestrun {

// The source a decoder reads from: a C stream opened, and later closed, by someone else.
class CImageFile {
  public:
    explicit CImageFile(std::FILE* stream) : stream_(stream) {}
    ~CImageFile() { Close(); }
    CImageFile(const CImageFile&) = delete;
    CImageFile& operator=(const CImageFile&) = delete;

    // The number of whole items of size bytes read into buffer.
    std::size_t Read(void* buffer, std::size_t size, std::size_t count);
    // origin is SEEK_SET, SEEK_CUR or SEEK_END; 0 on success.
    int Seek(long offset, int origin);
    long Tell();
    // Bytes from the current position to the end of the stream (0 when unknown), so that lengths
    // and offsets read from a file can be checked before anything is allocated for them.
    long Remaining();
    // Leaves the stream open: it belongs to whoever opened it.
    int Close() { return -1; }

  private:
    std::FILE* stream_;
};

}  // namespace kestrun
