#pragma once

#include <QColor>
#include <QObject>
#include <string>

#include "platform/desktop_shell.h"
#include "ui/dialog.h"

class QLabel;

namespace kestrun {

inline const QColor LinkColorUnvisited(0, 255, 255);
inline const QColor LinkColorVisited(0, 128, 128);

// Turns a static text or icon control of a dialog into a hyperlink: a click opens the link
// target, or else the control's text, or else the string resource numbered like the control.
// Text links are drawn underlined in cyan, and in teal once opened; icons keep their look.
class CStaticLink : public QObject {
    Q_OBJECT
  public:
    explicit CStaticLink(DesktopShell& shell, std::string linkTarget = {});

    // Takes over the dialog's static control with the id; false when it has none.
    bool SubclassDlgItem(int controlId, const CDialog& dialog);

    void SetLinkTarget(std::string linkTarget) { linkTarget_ = std::move(linkTarget); }
    const std::string& LinkTarget() const { return linkTarget_; }
    QColor TextColor() const { return textColor_; }

    // Opens the current target; on success the link shows as visited.
    bool OpenLink();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnLButtonDown();
    void ApplyTextLook();

    DesktopShell& shell_;
    std::string linkTarget_;
    QColor textColor_ = LinkColorUnvisited;
    QLabel* control_ = nullptr;
    int controlId_ = NoControlId;
    bool isText_ = false;
};

}  // namespace kestrun
