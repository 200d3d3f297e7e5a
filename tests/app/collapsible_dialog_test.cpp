#include "app/collapsible_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "res/resource_ids.h"
#include "tests/ui/qt_application.h"
#include "ui/dialog_units.h"

namespace kestrun {
namespace {

class MainCollapsible : public CCollapsibleDialog {
  public:
    explicit MainCollapsible(bool twoWay = true, bool allowChanges = true)
        : CCollapsibleDialog(ids::MainDialog, nullptr, ids::CollapseMarker, ids::CollapseToggle,
                             "&More >>", "&More <<", twoWay),
          allowChanges_(allowChanges) {
        testing::ShowActive(*this);
    }
    // Right of the marker: the artwork and effect panel and "Bypass"; the rest, even the bottom
    // separator across the marker's edge, stays usable.
    void ExpectRightPanelEnabled(bool enabled) const {
        for (const int id : {ids::Artcrop, ids::Artres, ids::Artwork, ids::EffectNone,
                             ids::EffectMasks, ids::ScanlinesList, ids::MaskList, ids::Bypass,
                             ids::BackdropsOverlays, ids::Bezels}) {
            EXPECT_EQ(GetDlgItem(id)->isEnabled(), enabled) << id;
        }
        EXPECT_TRUE(GetDlgItem(ids::BottomSeparator)->isEnabled());
    }
    std::vector<bool> changes;

  protected:
    bool CanChangeExpansion(bool) override { return allowChanges_; }
    void OnExpansionChanged(bool expanded) override { changes.push_back(expanded); }

  private:
    bool allowChanges_;
};

// It opens collapsed, without telling: the marker reaches one unit beyond the client area's
// bottom and covers 431 units. The toggle and Alt+M expand and collapse it again.
TEST(CollapsibleDialogTest, OpensCollapsedAndTheToggleAndAltMSwitchIt) {
    MainCollapsible dialog;
    auto* toggle = dialog.Item<QPushButton>(ids::CollapseToggle);
    EXPECT_EQ(dialog.size(), DialogSizeToPixels(431, 208));
    EXPECT_EQ(toggle->text(), "&More >>");
    EXPECT_FALSE(dialog.GetDlgItem(ids::CollapseMarker)->isVisible());
    dialog.ExpectRightPanelEnabled(false);

    toggle->click();
    EXPECT_EQ(dialog.size(), DialogSizeToPixels(606, 207));
    EXPECT_EQ(toggle->text(), "&More <<");
    dialog.ExpectRightPanelEnabled(true);
    EXPECT_EQ(dialog.focusWidget(), dialog.GetDlgItem(ids::Exit));
    // Near the screen's edge the expanded window moves back onto it.
    const QRect screen = dialog.screen()->availableGeometry();
    toggle->click();
    dialog.move(screen.right() - dialog.frameGeometry().width() + 1, screen.top());
    EXPECT_EQ(dialog.size(), DialogSizeToPixels(431, 208));
    dialog.ExpectRightPanelEnabled(false);
    EXPECT_EQ(dialog.changes, (std::vector<bool>{true, false}));

    QTest::keyClick(&dialog, Qt::Key_M, Qt::AltModifier);
    // A mnemonic animates the click before it happens.
    QTRY_VERIFY_WITH_TIMEOUT(dialog.IsExpanded(), 1000);
    const QRect frame = dialog.frameGeometry();
    EXPECT_TRUE(frame.right() <= screen.right() || frame.left() == screen.left()) << frame.left();
}

// Asking for the state it already has needs no permission.
TEST(CollapsibleDialogTest, AVetoLeavesTheDialogUnchangedAndAOneWayButtonEndsDisabled) {
    MainCollapsible vetoing(true, false);
    EXPECT_FALSE(vetoing.ToggleExpanded());
    EXPECT_FALSE(vetoing.IsExpanded());
    EXPECT_TRUE(vetoing.changes.empty());
    EXPECT_TRUE(vetoing.SetExpanded(false));

    MainCollapsible oneWay(false);
    EXPECT_TRUE(oneWay.SetExpanded(true));
    EXPECT_FALSE(oneWay.GetDlgItem(ids::CollapseToggle)->isEnabled());
    EXPECT_EQ(oneWay.GetDlgItemText(ids::CollapseToggle), "&More >>");
}

}  // namespace
}  // namespace kestrun
