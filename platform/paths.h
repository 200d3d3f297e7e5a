#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The path convention every rule of the program builds on: one separator, one test for an
// absolute path, one length limit (the 260-character buffers less their terminator).
namespace kestrun {

inline constexpr char PathSeparator = '/';
inline constexpr std::size_t MaxPathLength = 259;

inline bool IsAbsolutePath(std::string_view path) {
    return !path.empty() && path.front() == PathSeparator;
}

// The folder part of a path including its final separator; empty when there is none.
inline std::string FolderOf(std::string_view path) {
    const auto cut = path.rfind(PathSeparator);
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

// The part after the last separator (the whole text when there is none).
inline std::string_view BaseNameOf(std::string_view path) {
    const auto cut = path.rfind(PathSeparator);
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

}  // namespace kestrun
