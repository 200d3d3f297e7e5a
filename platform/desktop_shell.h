#pragma once

#include <string>

namespace kestrun {

// The desktop's own viewers: documents and web addresses are handed over, never shown by us.
class DesktopShell {
  public:
    virtual ~DesktopShell() = default;

    // Opens an absolute document path or a web address with the user's chosen viewer. False
    // when the target names nothing that can be opened or the desktop refused it.
    virtual bool Open(const std::string& target) = 0;
    // The default alert sound.
    virtual void Beep() = 0;
};

}  // namespace kestrun
