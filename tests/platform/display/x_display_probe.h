#pragma once

#include <QProcess>
#include <string>
#include <utility>
#include <vector>

// Looks at and prepares an X display from the test's side, through the xrandr tool.
namespace kestrun::testing {

using CrtcSizes = std::vector<std::pair<unsigned, unsigned>>;

// The sizes of every lit output; empty without a display.
CrtcSizes LitCrtcSizes(const std::string& displayName);

// Offers a 640x480 mode on the output of an Xvfb, which has none besides its screen size.
bool AddVgaMode(const std::string& displayName);

// An Xvfb of the test's own, on a display number the server picks itself.
class PrivateXServer {
  public:
    PrivateXServer();
    ~PrivateXServer();

    // Empty when Xvfb could not be started.
    const std::string& DisplayName() const { return displayName_; }

  private:
    QProcess server_;
    std::string displayName_;
};

}  // namespace kestrun::testing
