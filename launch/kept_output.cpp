#include "launch/kept_output.h"

#include <algorithm>
#include <cstring>

namespace kestrun {

void KeptOutput::Append(std::string_view chunk) {
    if (chunk.empty()) {
        return;
    }
    const std::size_t headPart = std::min(chunk.size(), KeptBytes - headLength_);
    std::memcpy(head_.data() + headLength_, chunk.data(), headPart);
    headLength_ += headPart;

    if (chunk.size() >= KeptBytes) {
        std::memcpy(tail_.data(), chunk.data() + (chunk.size() - KeptBytes), KeptBytes);
        tailLength_ = KeptBytes;
        return;
    }
    // Drop just enough of the oldest bytes to make room for the chunk.
    const std::size_t total = tailLength_ + chunk.size();
    const std::size_t dropped = total > KeptBytes ? total - KeptBytes : 0;
    const std::size_t kept = tailLength_ - dropped;
    std::memmove(tail_.data(), tail_.data() + dropped, kept);
    std::memcpy(tail_.data() + kept, chunk.data(), chunk.size());
    tailLength_ = kept + chunk.size();
}

}  // namespace kestrun
