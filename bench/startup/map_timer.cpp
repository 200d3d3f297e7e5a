#include "bench/startup/map_timer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kestrun::bench {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto MapTimeout = std::chrono::seconds(30);
constexpr auto QuietPeriod = std::chrono::milliseconds(150);
constexpr auto QuietTimeout = std::chrono::seconds(3);

std::vector<char*> Pointers(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (std::string& word : words) {
        pointers.push_back(word.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

pid_t Spawn(std::vector<std::string> argv, std::vector<std::string> environment) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, argv.front().c_str(), &actions, nullptr,
                                      Pointers(argv).data(), Pointers(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error("cannot start " + argv.front());
    }
    return pid;
}

// User plus system time in clock ticks, from /proc/<pid>/stat (fields 14 and 15).
long long CpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // The command name may hold blanks; the fields after it are plain.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string skipped;
    for (int field = 3; field < 14; ++field) {
        fields >> skipped;
    }
    long long user = 0;
    long long system = 0;
    fields >> user >> system;
    return user + system;
}

// How long the main thread has waited for a processor while ready to run: the second field
// of /proc/<pid>/schedstat, in nanoseconds.
double QueuedMilliseconds(pid_t pid) {
    std::ifstream schedstat("/proc/" + std::to_string(pid) + "/schedstat");
    unsigned long long running = 0;
    unsigned long long queued = 0;
    schedstat >> running >> queued;
    return static_cast<double>(queued) / 1e6;
}

long ResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

// Waits until the program has used no processor time for a while.
void WaitUntilQuiet(pid_t pid) {
    const auto deadline = Clock::now() + QuietTimeout;
    long long before = CpuTicks(pid);
    while (Clock::now() < deadline) {
        ::usleep(std::chrono::duration_cast<std::chrono::microseconds>(QuietPeriod).count());
        const long long now = CpuTicks(pid);
        if (now == before) {
            return;
        }
        before = now;
    }
}

void End(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

}  // namespace

MapTimer::MapTimer(const std::string& display) : display_(XOpenDisplay(display.c_str())) {
    if (display_ == nullptr) {
        throw std::runtime_error("cannot open the display " + display);
    }
    root_ = DefaultRootWindow(display_);
    pidAtom_ = XInternAtom(display_, "_NET_WM_PID", False);
    XSelectInput(display_, root_, SubstructureNotifyMask);
    XSync(display_, False);
}

MapTimer::~MapTimer() {
    XCloseDisplay(display_);
}

// A window without the property is taken as the program's: no other client runs here.
bool MapTimer::IsWindowOf(unsigned long window, int pid) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int got = XGetWindowProperty(display_, window, pidAtom_, 0, 1, False, XA_CARDINAL, &type,
                                       &format, &count, &remaining, &data);
    bool ours = true;
    if (got == Success && data != nullptr && format == 32 && count == 1) {
        ours = static_cast<int>(*reinterpret_cast<unsigned long*>(data)) == pid;
    }
    if (data != nullptr) {
        XFree(data);
    }
    return ours;
}

StartUpMeasure MapTimer::Measure(const std::vector<std::string>& argv,
                                 const std::vector<std::string>& environment) {
    // Maps of an earlier program do not count.
    XSync(display_, True);
    const auto start = Clock::now();
    const pid_t pid = Spawn(argv, environment);
    const auto deadline = start + MapTimeout;
    while (true) {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == MapNotify && IsWindowOf(event.xmap.window, pid)) {
                StartUpMeasure measure;
                measure.millisecondsToMap =
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                measure.millisecondsToMapUnqueued =
                    measure.millisecondsToMap - QueuedMilliseconds(pid);
                WaitUntilQuiet(pid);
                measure.residentKiB = ResidentKiB(pid);
                End(pid);
                return measure;
            }
        }
        if (::waitpid(pid, nullptr, WNOHANG) == pid) {
            throw std::runtime_error(argv.front() + " ended before showing a window");
        }
        if (Clock::now() > deadline) {
            End(pid);
            throw std::runtime_error(argv.front() + " showed no window in time");
        }
        pollfd ready{ConnectionNumber(display_), POLLIN, 0};
        ::poll(&ready, 1, 20);
    }
}

}  // namespace kestrun::bench
