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
          allowChanges_(allowChanges) {}

    std::vector<bool> changes;

  protected:
    bool CanChangeExpansion(bool) override { return allowChanges_; }
    void OnExpansionChanged(bool expanded) override { changes.push_back(expanded); }

  private:
    bool allowChanges_;
};

// Right of the marker: the artwork and effect panel and "Bypass".
const int RightPanel[] = {
    ids::Artcrop,       ids::Artres,   ids::Artwork, ids::EffectNone,        ids::EffectMasks,
    ids::ScanlinesList, ids::MaskList, ids::Bypass,  ids::BackdropsOverlays, ids::Bezels};
// Inside the marker, or across its edge like the bottom separator.
const int LeftPart[] = {
    ids::GameBox,         ids::Browse,         ids::Start,           ids::Exit,
    ids::SnapshotPicture, ids::ResolutionList, ids::BottomSeparator, ids::CollapseToggle};

void ExpectEnabled(const CDialog& dialog, const int* begin, const int* end, bool enabled) {
    for (const int* id = begin; id != end; ++id) {
        EXPECT_EQ(dialog.GetDlgItem(*id)->isEnabled(), enabled) << *id;
    }
}

TEST(CollapsibleDialogTest, OpensCollapsedWithTheRightPanelDisabledButKeepingItsValues) {
    MainCollapsible dialog;
    dialog.Item<QCheckBox>(ids::Bezels)->setChecked(true);
    testing::ShowActive(dialog);
    EXPECT_FALSE(dialog.IsExpanded());
    EXPECT_EQ(dialog.GetDlgItemText(ids::CollapseToggle), "&More >>");
    ExpectEnabled(dialog, std::begin(RightPanel), std::end(RightPanel), false);
    ExpectEnabled(dialog, std::begin(LeftPart), std::end(LeftPart), true);
    // The marker reaches one unit beyond the client area's bottom and covers 431 units.
    EXPECT_EQ(dialog.width(), DialogUnitsToPixelsX(431));
    EXPECT_EQ(dialog.height(), DialogUnitsToPixelsY(208));
    EXPECT_FALSE(dialog.GetDlgItem(ids::CollapseMarker)->isVisible());
    EXPECT_TRUE(dialog.Item<QCheckBox>(ids::Bezels)->isChecked());
    // The initial collapse is not a change the dialog is told about.
    EXPECT_TRUE(dialog.changes.empty());
}

TEST(CollapsibleDialogTest, TheToggleAndAltMExpandAndCollapseAgain) {
    MainCollapsible dialog;
    testing::ShowActive(dialog);
    const QSize collapsed = dialog.size();
    auto* toggle = dialog.Item<QPushButton>(ids::CollapseToggle);

    toggle->click();
    EXPECT_TRUE(dialog.IsExpanded());
    EXPECT_EQ(dialog.size(), DialogSizeToPixels(606, 207));
    EXPECT_EQ(toggle->text(), "&More <<");
    ExpectEnabled(dialog, std::begin(RightPanel), std::end(RightPanel), true);
    EXPECT_EQ(dialog.focusWidget(), dialog.GetDlgItem(ids::Exit));

    toggle->click();
    EXPECT_FALSE(dialog.IsExpanded());
    EXPECT_EQ(dialog.size(), collapsed);
    EXPECT_EQ(toggle->text(), "&More >>");
    ExpectEnabled(dialog, std::begin(RightPanel), std::end(RightPanel), false);
    EXPECT_EQ(dialog.changes, (std::vector<bool>{true, false}));

    QTest::keyClick(&dialog, Qt::Key_M, Qt::AltModifier);
    // A mnemonic animates the click before it happens.
    for (int tries = 0; tries < 100 && !dialog.IsExpanded(); ++tries) {
        QTest::qWait(10);
    }
    EXPECT_TRUE(dialog.IsExpanded());
}

// Asking for the state it already has needs no permission.
TEST(CollapsibleDialogTest, AVetoLeavesTheDialogUnchangedAndAOneWayButtonEndsDisabled) {
    MainCollapsible vetoing(true, false);
    testing::ShowActive(vetoing);
    const QSize collapsed = vetoing.size();
    EXPECT_FALSE(vetoing.ToggleExpanded());
    EXPECT_EQ(vetoing.size(), collapsed);
    EXPECT_TRUE(vetoing.changes.empty());
    EXPECT_TRUE(vetoing.SetExpanded(false));

    MainCollapsible oneWay(false);
    testing::ShowActive(oneWay);
    EXPECT_TRUE(oneWay.SetExpanded(true));
    EXPECT_FALSE(oneWay.GetDlgItem(ids::CollapseToggle)->isEnabled());
    EXPECT_EQ(oneWay.GetDlgItemText(ids::CollapseToggle), "&More >>");
}

TEST(CollapsibleDialogTest, WithoutItsMarkerTheDialogStaysAsItIs) {
    class NoMarker : public CCollapsibleDialog {
      public:
        NoMarker()
            : CCollapsibleDialog(ids::AdvancedOptionsDialog, nullptr, ids::CollapseMarker, IdOk,
                                 "more", "less", true) {}
        std::vector<bool> changes;

      protected:
        void OnExpansionChanged(bool expanded) override { changes.push_back(expanded); }
    };
    NoMarker dialog;
    testing::ShowActive(dialog);
    const QSize full = dialog.size();
    EXPECT_TRUE(dialog.IsExpanded());
    EXPECT_FALSE(dialog.SetExpanded(false));
    EXPECT_EQ(dialog.size(), full);
    EXPECT_EQ(dialog.GetDlgItemText(IdOk), "OK");
    EXPECT_EQ(dialog.changes, std::vector<bool>{true});
}

TEST(CollapsibleDialogTest, ExpandingNearTheScreenEdgeMovesTheWindowBack) {
    MainCollapsible dialog;
    testing::ShowActive(dialog);
    const QRect screen = dialog.screen()->availableGeometry();
    dialog.move(screen.right() - dialog.frameGeometry().width() + 1, screen.top());
    dialog.SetExpanded(true);
    if (dialog.frameGeometry().width() <= screen.width()) {
        EXPECT_LE(dialog.frameGeometry().right(), screen.right());
    } else {
        EXPECT_EQ(dialog.frameGeometry().left(), screen.left());
    }
}

}  // namespace
}  // namespace kestrun
