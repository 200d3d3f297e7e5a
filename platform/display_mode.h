#pragma once

// The launcher's only display change: its own full-screen mode. Implemented over XRandR for the
// program and replaced by a recording double in tests.
namespace kestrun {

class DisplayModeService {
  public:
    virtual ~DisplayModeService() = default;

    // restore false: remembers the display's current mode and switches it to width x height, at
    // whatever refresh rate the display offers for that size; false when the display cannot,
    // and then nothing has changed. restore true: returns to the remembered mode (width and
    // height are not used); true when nothing was switched or the mode is back.
    virtual bool ChangeDisplayMode(int width, int height, bool restore) = 0;
};

}  // namespace kestrun
