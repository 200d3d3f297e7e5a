#include "app/collapsible_dialog.h"

#include <QScreen>
#include <utility>

#include "res/dialog_templates.h"

namespace kestrun {

namespace {

const DialogTemplate& TemplateOrEmpty(int templateId) {
    static const DialogTemplate empty;
    const DialogTemplate* found = FindDialogTemplate(templateId);
    return found != nullptr ? *found : empty;
}

}  // namespace

CCollapsibleDialog::CCollapsibleDialog(int templateId, QWidget* parent, int markerId, int buttonId,
                                       QString collapsedText, QString expandedText, bool twoWay)
    : CDialog(TemplateOrEmpty(templateId), parent),
      collapsedText_(std::move(collapsedText)),
      expandedText_(std::move(expandedText)),
      markerId_(markerId),
      buttonId_(buttonId),
      twoWay_(twoWay) {}

bool CCollapsibleDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    ApplyExpansion(false);
    return true;
}

bool CCollapsibleDialog::OnCommand(int commandId) {
    if (commandId == buttonId_) {
        ToggleExpanded();
    }
    return CDialog::OnCommand(commandId);
}

bool CCollapsibleDialog::ToggleExpanded() {
    return SetExpanded(!expanded_);
}

bool CCollapsibleDialog::SetExpanded(bool expand) {
    if (expand == expanded_) {
        return true;
    }
    if (CanChangeExpansion(expanded_)) {
        ApplyExpansion(expand);
        if (GetDlgItem(buttonId_) != nullptr) {
            FocusControlAfterButton();
        }
        OnExpansionChanged(expanded_);
    }
    return expanded_ == expand;
}

bool CCollapsibleDialog::CanChangeExpansion(bool) {
    return true;
}

void CCollapsibleDialog::OnExpansionChanged(bool) {}

void CCollapsibleDialog::ApplyExpansion(bool expand) {
    QWidget* button = GetDlgItem(buttonId_);
    QWidget* marker = GetDlgItem(markerId_);
    if (expand == expanded_ || button == nullptr || marker == nullptr) {
        return;
    }
    const QRect markerArea = AreaOf(*marker);
    EnableControlsOutside(markerArea, expand);
    if (!expand) {
        if (!fullSize_) {
            fullSize_ = size();
            marker->hide();
        }
        // The marker's right and bottom edges become the window's.
        setFixedSize(markerArea.x() + markerArea.width(), markerArea.y() + markerArea.height());
        SetDlgItemText(buttonId_, collapsedText_);
        expanded_ = false;
        return;
    }
    setFixedSize(*fullSize_);
    MoveOntoScreen();
    if (twoWay_) {
        SetDlgItemText(buttonId_, expandedText_);
    } else {
        button->setEnabled(false);
    }
    expanded_ = true;
}

QRect CCollapsibleDialog::AreaOf(const QWidget& control) const {
    return QRect(control.mapTo(this, QPoint(0, 0)), control.size());
}

// Controls that only touch the marker's area count as outside it.
void CCollapsibleDialog::EnableControlsOutside(const QRect& markerArea, bool enable) {
    for (const DialogControl& control : Controls().All()) {
        if (!AreaOf(*control.widget).intersects(markerArea)) {
            control.widget->setEnabled(enable);
        }
    }
}

void CCollapsibleDialog::MoveOntoScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr || !isVisible()) {
        return;
    }
    const QRect available = screen->availableGeometry();
    QRect frame = frameGeometry();
    if (frame.right() > available.right()) {
        frame.moveRight(available.right());
    }
    if (frame.bottom() > available.bottom()) {
        frame.moveBottom(available.bottom());
    }
    // The top-left corner wins when the window is larger than the screen.
    frame.moveLeft(std::max(frame.left(), available.left()));
    frame.moveTop(std::max(frame.top(), available.top()));
    move(frame.topLeft());
}

void CCollapsibleDialog::FocusControlAfterButton() {
    QWidget* button = GetDlgItem(buttonId_);
    for (QWidget* next = button->nextInFocusChain(); next != button;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisibleTo(this) &&
            isAncestorOf(next)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

}  // namespace kestrun
