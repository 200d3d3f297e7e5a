#pragma once

#include "image/dib_image.h"

namespace kestrun {

// Resamples a decoded snapshot to its fit in the picture area (see FitSnapshot). An empty image
// and one that already fits are left as they are. False when a resampling was due and failed;
// the image is then unchanged.
bool FitSnapshotImage(CDibImage& image, bool fullScreen);

}  // namespace kestrun
