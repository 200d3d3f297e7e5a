#pragma once

#include <QRect>
#include <QSize>
#include <array>

#include "app/collapsible_dialog.h"
#include "launch/full_screen_layout.h"

namespace kestrun {

// Hides a dialog without ending its modal run, which the dialog's own hide would do.
void HideKeepingModalRun(QDialog& dialog);

// How the main window looks in the launcher's full-screen mode: without its caption over the
// whole 640x480 screen, with the bottom row of buttons moved down into the space below the
// options. Leaving gives every control its place back.
class FullScreenArrangement {
  public:
    explicit FullScreenArrangement(CCollapsibleDialog& dialog) : dialog_(dialog) {}

    void Enter();
    void Leave();

  private:
    void ReplaceWindowFlags(Qt::WindowFlags flags);

    CCollapsibleDialog& dialog_;
    // The window's flags with its caption, given back when the mode is left.
    Qt::WindowFlags captionedFlags_;
    // Where the moved controls stood before the mode was entered.
    std::array<QRect, FullScreenMovedControls.size()> placesBeforeEntering_;
    QSize clientSizeBeforeEntering_;
};

}  // namespace kestrun
