#pragma once

#include <QUrl>
#include <optional>
#include <string>

#include "platform/desktop_shell.h"

namespace kestrun {

// What the desktop is asked to open for a target: a web address as it stands, an existing
// local document (absolute path or file URL) as a file URL. Anything else, a relative name
// included, gives none: there is no sensible folder to look it up in.
std::optional<QUrl> DesktopUrlFor(const std::string& target);

class QtShell final : public DesktopShell {
  public:
    bool Open(const std::string& target) override;
    void Beep() override;
};

}  // namespace kestrun
