#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/display_mode.h"

namespace kestrun {

// The display mode service on an X server with RandR 1.3 or later. It switches the CRTC of the
// primary output (or of the first connected output) and leaves the screen size alone, so that
// windows keep their places when the mode comes back. A server that cannot do it (no display,
// no RandR, XWayland, no mode of that size, a refused request) gives false and stays as it was.
class XRandrDisplayMode final : public DisplayModeService {
  public:
    // An empty name connects to the display named by the DISPLAY environment variable.
    explicit XRandrDisplayMode(std::string displayName = {});
    // Gives the display back if the owner never did: a mode left switched outlives the program.
    ~XRandrDisplayMode() override;
    XRandrDisplayMode(const XRandrDisplayMode&) = delete;
    XRandrDisplayMode& operator=(const XRandrDisplayMode&) = delete;

    bool ChangeDisplayMode(int width, int height, bool restore) override;

  private:
    // How a CRTC was set up before the switch; X resource ids stay valid across connections.
    struct CrtcSetup {
        unsigned long crtc = 0;
        unsigned long mode = 0;
        int x = 0;
        int y = 0;
        unsigned short rotation = 0;
        std::vector<unsigned long> outputs;
    };

    bool Switch(int width, int height);
    bool Restore();

    std::string displayName_;
    // Set while a switch is in force; a second switch keeps the first one's setup.
    std::optional<CrtcSetup> original_;
};

}  // namespace kestrun
