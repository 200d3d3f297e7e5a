#include "snapshot/snapshot_rescale.h"

#include <cstdint>
#include <limits>

#include "snapshot/snapshot_fitting.h"

namespace kestrun {

bool FitSnapshotImage(CDibImage& image, bool fullScreen) {
    if (image.IsEmpty()) {
        return true;
    }
    const SnapshotFit fit = FitSnapshot(image.GetWidth(), image.GetHeight(), fullScreen);
    if (fit.resampling == SnapshotResampling::None) {
        return true;
    }
    // A very high picture in full-screen mode can ask for more rows than a size can hold.
    constexpr std::int64_t Largest = std::numeric_limits<std::uint32_t>::max();
    if (fit.width > Largest || fit.height > Largest) {
        return false;
    }
    return image.Rescale(static_cast<std::uint32_t>(fit.width),
                         static_cast<std::uint32_t>(fit.height),
                         fit.resampling == SnapshotResampling::Fast);
}

}  // namespace kestrun
