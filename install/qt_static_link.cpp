#include "install/qt_static_link.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include "res/string_table.h"

namespace kestrun {

namespace {

const DialogControl* FindControl(const CDialog& dialog, int controlId) {
    for (const DialogControl& control : dialog.Controls().All()) {
        if (control.source->id == controlId) {
            return &control;
        }
    }
    return nullptr;
}

}  // namespace

CStaticLink::CStaticLink(DesktopShell& shell, std::string linkTarget)
    : shell_(shell), linkTarget_(std::move(linkTarget)) {}

bool CStaticLink::SubclassDlgItem(int controlId, const CDialog& dialog) {
    const DialogControl* control = FindControl(dialog, controlId);
    auto* label = control != nullptr ? qobject_cast<QLabel*>(control->widget) : nullptr;
    if (label == nullptr) {
        return false;
    }
    if (control_ != nullptr) {
        control_->removeEventFilter(this);
    }
    control_ = label;
    controlId_ = controlId;
    isText_ = control->source->kind == ControlKind::StaticText;
    control_->installEventFilter(this);
    control_->setCursor(Qt::PointingHandCursor);
    ApplyTextLook();
    return true;
}

bool CStaticLink::OpenLink() {
    if (linkTarget_.empty() || !shell_.Open(linkTarget_)) {
        return false;
    }
    textColor_ = LinkColorVisited;
    ApplyTextLook();
    return true;
}

// The first target that opens stays, so later clicks succeed at once.
void CStaticLink::OnLButtonDown() {
    if (OpenLink()) {
        return;
    }
    linkTarget_ = control_->text().toStdString();
    if (OpenLink()) {
        return;
    }
    linkTarget_ = LoadResourceString(controlId_);
    if (OpenLink()) {
        return;
    }
    shell_.Beep();
}

bool CStaticLink::eventFilter(QObject* watched, QEvent* event) {
    if (watched == control_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        OnLButtonDown();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void CStaticLink::ApplyTextLook() {
    if (control_ == nullptr || !isText_) {
        return;
    }
    QFont font = control_->font();
    font.setUnderline(true);
    control_->setFont(font);
    QPalette palette = control_->palette();
    palette.setColor(QPalette::WindowText, textColor_);
    control_->setPalette(palette);
}

}  // namespace kestrun
