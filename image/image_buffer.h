#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <type_traits>

namespace kestrun {

// Zero-filled storage for a number of plain values, owned by one object and freed with it. Every
// buffer of the image library is one of these. Allocating never throws: a buffer that could not
// be had is empty, and its user reports OutOfMemory.
template <typename T>
class ImageBuffer {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>);

  public:
    ImageBuffer() = default;

    // count values, all bits zero; empty when count is 0 or memory runs out.
    static ImageBuffer Zeroed(std::size_t count) {
        ImageBuffer buffer;
        if (count > 0) {
            buffer.values_.reset(static_cast<T*>(std::calloc(count, sizeof(T))));
            buffer.count_ = buffer.values_ ? count : 0;
        }
        return buffer;
    }

    bool Empty() const { return values_ == nullptr; }
    T* Data() const { return values_.get(); }
    std::size_t Count() const { return count_; }
    T& operator[](std::size_t index) const { return values_[index]; }

  private:
    struct Free {
        void operator()(T* values) const { std::free(values); }
    };
    std::unique_ptr<T[], Free> values_;
    std::size_t count_ = 0;
};

}  // namespace kestrun
