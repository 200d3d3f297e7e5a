#include "tests/platform/display/x_display_probe.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

extern char** environ;

namespace kestrun::testing {

namespace {

// Reads the display number Xvfb writes once it accepts connections.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    char c = 0;
    pollfd ready{fd, POLLIN, 0};
    while (poll(&ready, 1, 10000) == 1 && read(fd, &c, 1) == 1 && c != '\n') {
        number += c;
    }
    return number;
}

}  // namespace

CrtcSizes LitCrtcSizes(const std::string& displayName) {
    CrtcSizes sizes;
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr) {
        return sizes;
    }
    int eventBase = 0;
    int errorBase = 0;
    if (XRRQueryExtension(display, &eventBase, &errorBase)) {
        XRRScreenResources* resources =
            XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
        for (int i = 0; resources != nullptr && i < resources->ncrtc; ++i) {
            XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
            if (crtc != nullptr) {
                if (crtc->mode != None) {
                    sizes.emplace_back(crtc->width, crtc->height);
                }
                XRRFreeCrtcInfo(crtc);
            }
        }
        if (resources != nullptr) {
            XRRFreeScreenResources(resources);
        }
    }
    XCloseDisplay(display);
    return sizes;
}

PrivateXServer::PrivateXServer() {
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) {
        return;
    }
    // Xvfb writes on a descriptor number of its own choosing: 3, made from the pipe's end.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ready[1], 3);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // Without -noreset the server starts afresh whenever its last client leaves, which the
    // tests' short connections would make happen between any two calls.
    const char* argv[] = {"Xvfb",        "-displayfd", "3",   "-screen",  "0",
                          "1024x768x24", "-nolisten",  "tcp", "-noreset", nullptr};
    pid_t pid = -1;
    const int spawned =
        posix_spawnp(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    if (spawned == 0) {
        pid_ = pid;
        const std::string number = ReadDisplayNumber(ready[0]);
        if (!number.empty()) {
            displayName_ = ":" + number;
        }
    }
    close(ready[0]);
}

PrivateXServer::~PrivateXServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

AddedDisplayMode::AddedDisplayMode(const std::string& displayName, unsigned width,
                                   unsigned height) {
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr) {
        return;
    }
    display_ = display;
    const Window root = DefaultRootWindow(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (resources == nullptr) {
        return;
    }
    std::string name = std::to_string(width) + "x" + std::to_string(height) + "_test";
    XRRModeInfo info{};
    info.width = width;
    info.height = height;
    info.dotClock = 25175000;
    info.hSyncStart = width + 16;
    info.hSyncEnd = width + 112;
    info.hTotal = width + 160;
    info.vSyncStart = height + 10;
    info.vSyncEnd = height + 12;
    info.vTotal = height + 45;
    info.name = name.data();
    info.nameLength = static_cast<unsigned>(name.size());
    mode_ = XRRCreateMode(display, root, &info);
    for (int i = 0; mode_ != 0 && i < resources->noutput; ++i) {
        XRROutputInfo* output = XRRGetOutputInfo(display, resources, resources->outputs[i]);
        if (output != nullptr && output->connection == RR_Connected) {
            XRRAddOutputMode(display, resources->outputs[i], mode_);
        }
        if (output != nullptr) {
            XRRFreeOutputInfo(output);
        }
    }
    XRRFreeScreenResources(resources);
    XSync(display, False);
}

AddedDisplayMode::~AddedDisplayMode() {
    if (display_ != nullptr) {
        XCloseDisplay(static_cast<Display*>(display_));
    }
}

}  // namespace kestrun::testing
