#pragma once

namespace kestrun {

// The application: one instance per executable name and user, the profile named after the
// executable, the dialog colours, and the main window run modally until it closes.
class CLauncherApp {
  public:
    // Runs the program and returns its exit code. A second instance ends at once, silently.
    int InitInstance(int& argc, char** argv);
};

}  // namespace kestrun
