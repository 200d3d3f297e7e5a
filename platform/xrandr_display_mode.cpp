#include "platform/xrandr_display_mode.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform/debug_output.h"

namespace kestrun {

namespace {

static_assert(std::is_same_v<RRCrtc, unsigned long> && std::is_same_v<RRMode, unsigned long> &&
              std::is_same_v<RROutput, unsigned long> && std::is_same_v<Rotation, unsigned short>);

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
struct ResourcesFree {
    void operator()(XRRScreenResources* resources) const { XRRFreeScreenResources(resources); }
};
struct OutputInfoFree {
    void operator()(XRROutputInfo* info) const { XRRFreeOutputInfo(info); }
};
struct CrtcInfoFree {
    void operator()(XRRCrtcInfo* info) const { XRRFreeCrtcInfo(info); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;
using ResourcesPtr = std::unique_ptr<XRRScreenResources, ResourcesFree>;
using OutputInfoPtr = std::unique_ptr<XRROutputInfo, OutputInfoFree>;
using CrtcInfoPtr = std::unique_ptr<XRRCrtcInfo, CrtcInfoFree>;

// Xlib's default error handler ends the process. While a trap is alive, errors of our requests
// are counted instead; the UI thread is the only one that changes display modes.
int trappedErrors = 0;

int CountError(Display*, XErrorEvent*) {
    ++trappedErrors;
    return 0;
}

class ErrorTrap {
  public:
    explicit ErrorTrap(Display* display)
        : display_(display), previous_(XSetErrorHandler(CountError)) {
        trappedErrors = 0;
    }
    ~ErrorTrap() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Waits for the server's answers to everything sent so far.
    bool Failed() {
        XSync(display_, False);
        return trappedErrors != 0;
    }

  private:
    Display* display_;
    XErrorHandler previous_;
};

DisplayPtr OpenRandrDisplay(const std::string& name) {
    DisplayPtr display(XOpenDisplay(name.empty() ? nullptr : name.c_str()));
    if (!display) {
        DebugOutput("display mode: no X display\n");
        return nullptr;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display.get(), &eventBase, &errorBase) ||
        !XRRQueryVersion(display.get(), &major, &minor) || major < 1 || (major == 1 && minor < 3)) {
        DebugOutput("display mode: the X server has no RandR 1.3\n");
        return nullptr;
    }
    return display;
}

ResourcesPtr CurrentResources(Display* display) {
    return ResourcesPtr(XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display)));
}

// The primary output when it is lit, else the first connected output that has a CRTC.
OutputInfoPtr ChooseOutput(Display* display, XRRScreenResources* resources) {
    auto lit = [&](RROutput output) {
        OutputInfoPtr info(XRRGetOutputInfo(display, resources, output));
        const bool usable = info && info->connection == RR_Connected && info->crtc != None;
        return usable ? std::move(info) : nullptr;
    };
    const RROutput primary = XRRGetOutputPrimary(display, DefaultRootWindow(display));
    if (primary != None) {
        if (OutputInfoPtr info = lit(primary)) {
            return info;
        }
    }
    for (int i = 0; i < resources->noutput; ++i) {
        if (OutputInfoPtr info = lit(resources->outputs[i])) {
            return info;
        }
    }
    return nullptr;
}

// XWayland lists outputs and accepts mode changes, but only pretends to make them.
bool IsXWaylandOutput(const XRROutputInfo& output) {
    return std::string_view(output.name, output.nameLen).starts_with("XWAYLAND");
}

// The first of the output's modes (they come in order of preference) that shows width x height
// with the CRTC's rotation.
RRMode FindMode(const XRRScreenResources& resources, const XRROutputInfo& output, Rotation rotation,
                int width, int height) {
    const bool sideways = (rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0;
    if (sideways) {
        std::swap(width, height);
    }
    for (int i = 0; i < output.nmode; ++i) {
        for (int j = 0; j < resources.nmode; ++j) {
            const XRRModeInfo& mode = resources.modes[j];
            if (mode.id == output.modes[i] && static_cast<int>(mode.width) == width &&
                static_cast<int>(mode.height) == height) {
                return mode.id;
            }
        }
    }
    return None;
}

bool ApplyCrtc(ErrorTrap& trap, Display* display, XRRScreenResources* resources, RRCrtc crtc,
               RRMode mode, int x, int y, Rotation rotation, std::vector<RROutput>& outputs) {
    const Status status =
        XRRSetCrtcConfig(display, resources, crtc, CurrentTime, x, y, mode, rotation,
                         outputs.data(), static_cast<int>(outputs.size()));
    return !trap.Failed() && status == RRSetConfigSuccess;
}

}  // namespace

XRandrDisplayMode::XRandrDisplayMode(std::string displayName)
    : displayName_(std::move(displayName)) {}

XRandrDisplayMode::~XRandrDisplayMode() {
    Restore();
}

bool XRandrDisplayMode::ChangeDisplayMode(int width, int height, bool restore) {
    return restore ? Restore() : Switch(width, height);
}

bool XRandrDisplayMode::Switch(int width, int height) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    const DisplayPtr display = OpenRandrDisplay(displayName_);
    if (!display) {
        return false;
    }
    ErrorTrap trap(display.get());
    const ResourcesPtr resources = CurrentResources(display.get());
    const OutputInfoPtr output = resources ? ChooseOutput(display.get(), resources.get()) : nullptr;
    if (!output || IsXWaylandOutput(*output)) {
        DebugOutput("display mode: no output whose mode can be changed\n");
        return false;
    }
    const CrtcInfoPtr crtc(XRRGetCrtcInfo(display.get(), resources.get(), output->crtc));
    if (!crtc || trap.Failed()) {
        return false;
    }
    const RRMode mode = FindMode(*resources, *output, crtc->rotation, width, height);
    if (mode == None) {
        DebugOutput("display mode: the output offers no mode of the requested size\n");
        return false;
    }
    std::vector<RROutput> outputs(crtc->outputs, crtc->outputs + crtc->noutput);
    CrtcSetup setup{output->crtc, crtc->mode, crtc->x, crtc->y, crtc->rotation, outputs};
    if (!ApplyCrtc(trap, display.get(), resources.get(), setup.crtc, mode, setup.x, setup.y,
                   setup.rotation, outputs)) {
        DebugOutput("display mode: the X server refused the mode\n");
        return false;
    }
    if (!original_) {
        original_ = std::move(setup);
    }
    return true;
}

bool XRandrDisplayMode::Restore() {
    if (!original_) {
        return true;
    }
    const DisplayPtr display = OpenRandrDisplay(displayName_);
    if (!display) {
        return false;
    }
    ErrorTrap trap(display.get());
    const ResourcesPtr resources = CurrentResources(display.get());
    if (!resources ||
        !ApplyCrtc(trap, display.get(), resources.get(), original_->crtc, original_->mode,
                   original_->x, original_->y, original_->rotation, original_->outputs)) {
        DebugOutput("display mode: the remembered mode could not be restored\n");
        return false;
    }
    original_.reset();
    return true;
}

}  // namespace kestrun
