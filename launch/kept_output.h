#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kestrun {

// What is kept of one run's output, however long it is: its first and its last KeptBytes
// bytes (each all of it when it is shorter). The two overlap when the output is shorter than
// twice KeptBytes.
class KeptOutput {
  public:
    static constexpr std::size_t KeptBytes = 1024;

    void Append(std::string_view chunk);

    std::string_view Head() const { return {head_.data(), headLength_}; }
    // Oldest byte first.
    std::string_view Tail() const { return {tail_.data(), tailLength_}; }

  private:
    std::array<char, KeptBytes> head_{};
    std::size_t headLength_ = 0;
    std::array<char, KeptBytes> tail_{};
    std::size_t tailLength_ = 0;
};

}  // namespace kestrun
