#pragma once

#include <QRect>
#include <QSize>
#include <array>

#include "launch/full_screen_layout.h"
#include "platform/display_mode.h"
#include "platform/message_box.h"

namespace kestrun {

class CLauncherDialog;

// The launcher's own full-screen mode: the display switched to 640x480, the main window
// without its caption over the whole screen, and the bottom row of buttons moved down into the
// space below the options. Its flag is the program's DisplaySwitched.
class FullScreenToggle {
  public:
    FullScreenToggle(CLauncherDialog& dialog, DisplayModeService& display,
                     MessageBoxService& messages);

    bool Switched() const { return switched_; }
    // Enters the mode, or leaves it when it is on.
    void ToggleFullScreen();

  private:
    void Enter();
    void Leave();
    void ReplaceWindowFlags(Qt::WindowFlags flags);
    void RefreshSnapshot();

    CLauncherDialog& dialog_;
    DisplayModeService& display_;
    MessageBoxService& messages_;
    bool switched_ = false;
    // The window's flags with its caption, given back when the mode is left.
    Qt::WindowFlags captionedFlags_;
    // Where the moved controls stood before the mode was entered.
    std::array<QRect, FullScreenMovedControls.size()> placesBeforeEntering_;
    QSize clientSizeBeforeEntering_;
};

}  // namespace kestrun
