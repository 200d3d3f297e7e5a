#pragma once

#include <QSize>
#include <QString>
#include <optional>

#include "ui/dialog.h"

namespace kestrun {

// A dialog that shrinks to the area of a marker control and grows back to its full size with a
// toggle button whose caption follows the state. Controls wholly outside the marker are
// disabled while it is collapsed. It always opens collapsed.
class CCollapsibleDialog : public CDialog {
    Q_OBJECT
  public:
    // twoWay: the button collapses again; otherwise it is disabled once expanded.
    CCollapsibleDialog(int templateId, QWidget* parent, int markerId, int buttonId,
                       QString collapsedText, QString expandedText, bool twoWay);

    bool IsExpanded() const { return expanded_; }
    // True when the dialog is in the asked-for state afterwards.
    bool SetExpanded(bool expand);
    bool ToggleExpanded();

    bool OnCommand(int commandId) override;

  protected:
    bool OnInitDialog() override;
    // Asked before every change made through SetExpanded; false vetoes it.
    virtual bool CanChangeExpansion(bool expanded);
    // Told after every change made through SetExpanded.
    virtual void OnExpansionChanged(bool expanded);
    // Changes the window without asking or telling the two above.
    void ApplyExpansion(bool expand);

  private:
    void EnableControlsOutside(const QRect& markerArea, bool enable);
    QRect AreaOf(const QWidget& control) const;
    void MoveOntoScreen();
    void FocusControlAfterButton();

    bool expanded_ = true;
    QString collapsedText_;
    QString expandedText_;
    int markerId_;
    int buttonId_;
    bool twoWay_;
    // Saved at the first collapse; every expansion returns to it.
    std::optional<QSize> fullSize_;
};

}  // namespace kestrun
