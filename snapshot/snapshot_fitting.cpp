#include "snapshot/snapshot_fitting.h"

namespace kestrun {

namespace {

// Sizes follow the aspect ratio height / width. They are compared and truncated in exact
// integer arithmetic: the same ratio in floating point lands a hair below a whole number for
// some sizes (261 x 279 would give 247 instead of 248).

// A picture no wider than the box but too high: scaled to the box height.
SnapshotFit FitToBoxHeight(std::int64_t width, std::int64_t height) {
    const std::int64_t scaledWidthTimesHeight = SnapshotBoxHeight * width;
    if (scaledWidthTimesHeight < SnapshotSmallestWidth * height) {
        return {SnapshotResampling::Smooth, SnapshotBoxWidth, SnapshotBoxHeight};
    }
    return {SnapshotResampling::Fast, scaledWidthTimesHeight / height, SnapshotBoxHeight};
}

// Every other picture: scaled to the box width.
SnapshotFit FitToBoxWidth(std::int64_t width, std::int64_t height, bool fullScreen) {
    const std::int64_t scaledHeightTimesWidth = SnapshotBoxWidth * height;
    if (!fullScreen && scaledHeightTimesWidth > SnapshotHighestHeight * width) {
        return {SnapshotResampling::Fast, SnapshotBoxWidth, SnapshotHighestHeight};
    }
    if (scaledHeightTimesWidth < SnapshotSmallestHeight * width) {
        return {SnapshotResampling::Smooth, SnapshotBoxWidth, SnapshotBoxWidth};
    }
    return {SnapshotResampling::Fast, SnapshotBoxWidth, scaledHeightTimesWidth / width};
}

}  // namespace

SnapshotFit FitSnapshot(std::int32_t width, std::int32_t height, bool fullScreen) {
    const bool fitsBox = width <= SnapshotBoxWidth && height <= SnapshotBoxHeight;
    // An empty picture has no aspect ratio; it is shown (as nothing) without resampling.
    if (width <= 0 || height <= 0 || fitsBox) {
        return {SnapshotResampling::None, width, height};
    }
    if (width <= SnapshotBoxWidth && !fullScreen) {
        return FitToBoxHeight(width, height);
    }
    return FitToBoxWidth(width, height, fullScreen);
}

}  // namespace kestrun
