#include "app/full_screen_arrangement.h"

#include <algorithm>

#include "res/resource_ids.h"

namespace kestrun {

namespace {

// Taken from the window's own record of where it stands: the window system may not have
// reported the move that has just been asked for.
ControlRect ScreenRectOf(const QWidget& control) {
    const QWidget& window = *control.window();
    const QPoint topLeft = window.geometry().topLeft() + control.mapTo(&window, QPoint(0, 0));
    return {topLeft.x(), topLeft.y(), control.width(), control.height()};
}

// The widget that holds the dialog's controls, below its menu bar.
QWidget& ClientAreaOf(const CDialog& dialog) {
    return *dialog.GetDlgItem(ids::Start)->parentWidget();
}

void MoveControl(QWidget& control, const ControlRect& rect) {
    control.setGeometry(rect.left, rect.top, rect.width, rect.height);
}

}  // namespace

void HideKeepingModalRun(QDialog& dialog) {
    dialog.QWidget::setVisible(false);
}

void FullScreenArrangement::Enter() {
    dialog_.GetDlgItem(ids::VideoWindow)->setEnabled(false);
    dialog_.GetDlgItem(ids::CollapseToggle)->hide();
    captionedFlags_ = dialog_.windowFlags();
    // A caption's own hints would outweigh the frameless one, so they go too.
    ReplaceWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    dialog_.setFixedSize(FullScreenWidth, FullScreenHeight);
    dialog_.move(0, 0);
    // The controls' area keeps the template's height; it has to reach the bottom of the screen
    // for the moved row to show there.
    QWidget& clientArea = ClientAreaOf(dialog_);
    clientSizeBeforeEntering_ = clientArea.size();
    clientArea.setFixedSize(clientArea.width(),
                            std::max(clientArea.height(), FullScreenHeight - clientArea.y()));
    for (std::size_t i = 0; i < FullScreenMovedControls.size(); ++i) {
        QWidget& control = *dialog_.GetDlgItem(FullScreenMovedControls[i]);
        placesBeforeEntering_[i] = control.geometry();
        MoveControl(control, EnteringFullScreenRect(ScreenRectOf(control)));
    }
}

void FullScreenArrangement::Leave() {
    ReplaceWindowFlags(captionedFlags_);
    // Collapsing or expanding and back gives the window its size again, caption included.
    dialog_.ToggleExpanded();
    dialog_.ToggleExpanded();
    // The bottom row goes back to where it stood. A fixed upward shift from its screen position
    // fits one window system's frame sizes only; anywhere else the row would creep further up
    // with every toggle, and a successful run in this mode toggles twice.
    for (std::size_t i = 0; i < FullScreenMovedControls.size(); ++i) {
        dialog_.GetDlgItem(FullScreenMovedControls[i])->setGeometry(placesBeforeEntering_[i]);
    }
    ClientAreaOf(dialog_).setFixedSize(clientSizeBeforeEntering_);
    dialog_.GetDlgItem(ids::VideoWindow)->setEnabled(true);
    dialog_.GetDlgItem(ids::CollapseToggle)->show();
    dialog_.GetDlgItem(ids::BottomSeparator)->show();
    // The collapse above disabled the moved controls, which lay outside the left part.
    for (const int id : FullScreenMovedControls) {
        dialog_.GetDlgItem(id)->setEnabled(true);
    }
}

// Changing the window's flags makes the window anew and hides it first; it is shown again if
// it was on the screen.
void FullScreenArrangement::ReplaceWindowFlags(Qt::WindowFlags flags) {
    const bool visible = dialog_.isVisible();
    HideKeepingModalRun(dialog_);
    dialog_.setWindowFlags(flags);
    if (visible) {
        dialog_.show();
    }
}

}  // namespace kestrun
