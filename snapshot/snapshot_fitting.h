#pragma once

#include <cstdint>

// How a decoded snapshot is fitted into the picture area beside the options.
namespace kestrun {

// The picture area; the default picture has exactly this size.
inline constexpr std::int64_t SnapshotBoxWidth = 232;
inline constexpr std::int64_t SnapshotBoxHeight = 263;
// A picture scaled to the box width may be this high before it is capped.
inline constexpr std::int64_t SnapshotHighestHeight = 276;
// Below these a kept aspect ratio would leave the area too empty: the picture is stretched.
inline constexpr std::int64_t SnapshotSmallestWidth = 178;
inline constexpr std::int64_t SnapshotSmallestHeight = 202;

enum class SnapshotResampling { None, Fast, Smooth };

struct SnapshotFit {
    SnapshotResampling resampling = SnapshotResampling::None;
    // The size to resample to; equal to the picture's own size when nothing is resampled.
    std::int64_t width = 0;
    std::int64_t height = 0;

    bool operator==(const SnapshotFit&) const = default;
};

// The fit of a width x height picture. fullScreen relaxes the height limits while the
// launcher's own 640x480 mode is on. An empty picture (a side of 0 or less) is left alone.
SnapshotFit FitSnapshot(std::int32_t width, std::int32_t height, bool fullScreen);

}  // namespace kestrun
