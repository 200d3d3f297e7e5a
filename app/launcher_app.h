#pragma once

#include <string>
#include <string_view>

namespace kestrun {

// The application: one instance per executable name and user, the profile named after the
// executable, the dialog colours, and the main window run modally until it closes.
class CLauncherApp {
  public:
    // Runs the program and returns its exit code. A second instance ends at once, silently.
    int InitInstance(int& argc, char** argv);
};

// The executable's name without folder and extension; the kernel's " (deleted)" mark on a
// removed program file is not part of it.
std::string ExecutableBaseName(std::string_view programFile);

}  // namespace kestrun
