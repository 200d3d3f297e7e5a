#pragma once

#include <sys/types.h>

#include <string>

namespace kestrun::bench {

// A virtual X server of our own on a display number it picks itself, stopped on destruction.
class XvfbServer {
  public:
    // Throws when the server does not start or does not name its display within ten seconds.
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // For example ":3".
    const std::string& Display() const { return display_; }

  private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace kestrun::bench
