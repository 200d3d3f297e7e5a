#pragma once

#include <string>
#include <utility>
#include <vector>

// Looks at and prepares an X display from the test's side. Kept apart from the tests: Xlib's
// macros clash with GoogleTest's names.
namespace kestrun::testing {

using CrtcSizes = std::vector<std::pair<unsigned, unsigned>>;

// The sizes of every lit CRTC, read on a connection of the test's own; empty without a display
// or RandR.
CrtcSizes LitCrtcSizes(const std::string& displayName);

// An Xvfb of the test's own, on a display number the server picks itself.
class PrivateXServer {
  public:
    PrivateXServer();
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // Empty when Xvfb could not be started.
    const std::string& DisplayName() const { return displayName_; }

  private:
    int pid_ = -1;
    std::string displayName_;
};

// A user-defined mode added to every connected output while the object lives (the server drops
// such modes with the connection that made them).
class AddedDisplayMode {
  public:
    AddedDisplayMode(const std::string& displayName, unsigned width, unsigned height);
    ~AddedDisplayMode();
    AddedDisplayMode(const AddedDisplayMode&) = delete;
    AddedDisplayMode& operator=(const AddedDisplayMode&) = delete;

    bool Added() const { return mode_ != 0; }

  private:
    void* display_ = nullptr;
    unsigned long mode_ = 0;
};

}  // namespace kestrun::testing
