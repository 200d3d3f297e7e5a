#include "app/collapsible_dialog.h"

#include <gtest/gtest.h>

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
    // The size, the toggle's text and whether the panel right of the marker (the artwork and
    // effect panel and "Bypass") is enabled; the bottom separator across the marker's edge is.
    void ExpectShown(QSize units, const char* toggleText, bool rightPanelEnabled) const {
        EXPECT_EQ(size(), DialogSizeToPixels(units.width(), units.height()));
        EXPECT_EQ(GetDlgItemText(ids::CollapseToggle), toggleText);
        for (const int id : {ids::Artcrop, ids::Artres, ids::Artwork, ids::EffectNone,
                             ids::EffectMasks, ids::ScanlinesList, ids::MaskList, ids::Bypass,
                             ids::BackdropsOverlays, ids::Bezels}) {
            EXPECT_EQ(GetDlgItem(id)->isEnabled(), rightPanelEnabled) << id;
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
// bottom and covers 431 units. The toggle and Alt+M expand it (moving it back onto the screen
// as far as it can) and collapse it again. A one-way toggle ends disabled.
TEST(CollapsibleDialogTest, OpensCollapsedAndTheToggleAndAltMSwitchIt) {
    MainCollapsible dialog;
    dialog.ExpectShown({431, 208}, "&More >>", false);
    EXPECT_FALSE(dialog.GetDlgItem(ids::CollapseMarker)->isVisible());
    const QRect screen = dialog.screen()->availableGeometry();
    dialog.move(screen.right() - dialog.frameGeometry().width() + 1, screen.top());
    QTest::keyClick(&dialog, Qt::Key_M, Qt::AltModifier);
    // A mnemonic animates the click before it happens.
    QTRY_VERIFY_WITH_TIMEOUT(dialog.IsExpanded(), 1000);
    dialog.ExpectShown({606, 207}, "&More <<", true);
    EXPECT_EQ(dialog.focusWidget(), dialog.GetDlgItem(ids::Exit));
    const QRect frame = dialog.frameGeometry();
    EXPECT_TRUE(frame.right() <= screen.right() || frame.left() == screen.left()) << frame.left();
    dialog.Item<QPushButton>(ids::CollapseToggle)->click();
    dialog.ExpectShown({431, 208}, "&More >>", false);
    EXPECT_EQ(dialog.changes, (std::vector<bool>{true, false}));

    // A veto leaves it unchanged; asking for the state it already has needs no permission.
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
