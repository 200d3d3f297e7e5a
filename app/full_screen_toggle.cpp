#include "app/full_screen_toggle.h"

#include <QAbstractButton>
#include <algorithm>
#include <string>

#include "app/launcher_dialog.h"
#include "res/resource_ids.h"

namespace kestrun {

namespace {

const MessageBoxRequest FullScreenWarning{.text = "Couldn't change to full screen!",
                                          .caption = "Warning",
                                          .buttons = MessageButtons::Ok,
                                          .icon = MessageIcon::None};

// Taken from the window's own record of where it stands: the window system may not have
// reported the move that has just been asked for.
ControlRect ScreenRectOf(const QWidget& control) {
    const QWidget& window = *control.window();
    const QPoint topLeft = window.geometry().topLeft() + control.mapTo(&window, QPoint(0, 0));
    return {topLeft.x(), topLeft.y(), control.width(), control.height()};
}

// The widget that holds the dialog's controls, below its menu bar.
QWidget& ClientAreaOf(const CLauncherDialog& dialog) {
    return *dialog.GetDlgItem(ids::Start)->parentWidget();
}

void MoveControl(QWidget& control, const ControlRect& rect) {
    control.setGeometry(rect.left, rect.top, rect.width, rect.height);
}

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

FullScreenToggle::FullScreenToggle(CLauncherDialog& dialog, DisplayModeService& display,
                                   MessageBoxService& messages)
    : dialog_(dialog), display_(display), messages_(messages) {}

void FullScreenToggle::ToggleFullScreen() {
    if (switched_) {
        Leave();
    } else {
        Enter();
    }
}

void FullScreenToggle::Enter() {
    if (!display_.ChangeDisplayMode(FullScreenWidth, FullScreenHeight, false)) {
        messages_.Show(FullScreenWarning);
        return;
    }
    switched_ = true;
    dialog_.UpdateData(true);
    if (dialog_.Options().Video == 0) {
        dialog_.Item<QAbstractButton>(ids::VideoFullScreen)->setChecked(true);
        dialog_.OnCommand(ids::VideoFullScreen);
    }
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
    RefreshSnapshot();
}

void FullScreenToggle::Leave() {
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
    display_.ChangeDisplayMode(0, 0, true);
    switched_ = false;
    RefreshSnapshot();
}

// Changing the window's flags makes the window anew and hides it first; it is shown again if
// it was on the screen.
void FullScreenToggle::ReplaceWindowFlags(Qt::WindowFlags flags) {
    const bool visible = dialog_.isVisible();
    dialog_.HideKeepingModalLoop();
    dialog_.setWindowFlags(flags);
    if (visible) {
        dialog_.show();
    }
}

void FullScreenToggle::RefreshSnapshot() {
    dialog_.ShowSnapshot(TrimBlanks(dialog_.GetDlgItemText(ids::GameBox).toStdString()));
}

}  // namespace kestrun
