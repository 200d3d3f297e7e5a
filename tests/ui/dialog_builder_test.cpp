#include "ui/dialog_builder.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <set>

#include "res/dialog_templates.h"
#include "res/images.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/dialog.h"
#include "ui/dialog_units.h"

namespace kestrun {
namespace {

const char* QtClassFor(const ControlTemplate& control) {
    switch (control.kind) {
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton:
            return "QPushButton";
        case ControlKind::CheckBox:
            return control.Has(PushLike) ? "QPushButton" : "QCheckBox";
        case ControlKind::RadioButton:
            return "QRadioButton";
        case ControlKind::GroupBox:
            return "QGroupBox";
        case ControlKind::StaticText:
        case ControlKind::BitmapStatic:
        case ControlKind::IconStatic:
            return "QLabel";
        case ControlKind::EditableComboBox:
        case ControlKind::DropDownList:
            return "QComboBox";
        case ControlKind::Trackbar:
            return "QSlider";
        case ControlKind::EtchedHorizontalLine:
        case ControlKind::BlackFrame:
            return "QFrame";
    }
    return "";
}

TEST(DialogBuilderTest, EveryTemplateControlIsAtItsRectangleWithItsCaption) {
    for (const int templateId : {ids::MainDialog, ids::AdvancedOptionsDialog, ids::AboutDialog}) {
        const DialogTemplate& dialogTemplate = *FindDialogTemplate(templateId);
        CDialog dialog(dialogTemplate, nullptr);
        const auto& built = dialog.Controls().All();
        ASSERT_EQ(built.size(), dialogTemplate.controls.size());
        for (std::size_t i = 0; i < built.size(); ++i) {
            const ControlTemplate& control = dialogTemplate.controls[i];
            const QWidget& widget = *built[i].widget;
            SCOPED_TRACE(testing::Message()
                         << templateId << " control " << i << " id " << control.id);
            EXPECT_TRUE(widget.inherits(QtClassFor(control)));
            const QRect expected = DialogRectToPixels(control.rect);
            EXPECT_EQ(widget.pos(), expected.topLeft());
            EXPECT_EQ(widget.width(), expected.width());
            // A closed combo box is one line high; its rectangle includes the open list.
            if (qobject_cast<const QComboBox*>(&widget) != nullptr) {
                EXPECT_LT(widget.height(), expected.height());
            } else {
                EXPECT_EQ(widget.height(), expected.height());
            }
            if (control.id != NoControlId && !control.caption.empty()) {
                EXPECT_EQ(dialog.GetDlgItemText(control.id).toStdString(), control.caption);
            }
        }
    }
}

TEST(DialogBuilderTest, MainDialogHasTheTemplateSizeAndButtonKinds) {
    CDialog dialog(MainDialogTemplate(), nullptr);
    EXPECT_EQ(dialog.size(), QSize(909, 336));
    EXPECT_EQ(dialog.GetDlgItem(ids::CollapseMarker)->geometry(), QRect(0, -2, 647, 340));
    EXPECT_FALSE(dialog.GetDlgItem(ids::CollapseMarker)->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.Item<QPushButton>(ids::Start)->isDefault());
    EXPECT_TRUE(dialog.Item<QPushButton>(ids::Bypass)->isCheckable());
    EXPECT_TRUE(dialog.Item<QPushButton>(ids::SoundButton)->isCheckable());
}

TEST(DialogBuilderTest, MainDialogTabOrderFollowsTheTemplate) {
    CDialog dialog(MainDialogTemplate(), nullptr);
    const std::vector<int> expected{
        ids::GameBox,        ids::UseMame32,      ids::PreviousGame,
        ids::NextGame,       ids::SoundButton,    ids::FullScreen,
        ids::Browse,         ids::InputStandard,  ids::Mouse,
        ids::Joystick,       ids::Lightgun,       ids::ControllerList,
        ids::Steadykey,      ids::Cheat,          ids::VideoWindow,
        ids::Stretch,        ids::ResolutionList, ids::Artcrop,
        ids::Artres,         ids::Artwork,        ids::EffectNone,
        ids::ScanlinesList,  ids::MaskList,       ids::Bypass,
        ids::About,          ids::DeleteSnapshot, ids::Start,
        ids::CollapseToggle, ids::Exit,           ids::BackdropsOverlays,
        ids::Bezels,
    };
    std::map<const QWidget*, int> idOf;
    for (const DialogControl& control : dialog.Controls().All()) {
        idOf[control.widget] = control.source->id;
    }
    std::vector<int> visited;
    const QWidget* first = dialog.GetDlgItem(ids::GameBox);
    const QWidget* widget = first;
    do {
        if (idOf.contains(widget) && (widget->focusPolicy() & Qt::TabFocus)) {
            visited.push_back(idOf[widget]);
        }
        widget = widget->nextInFocusChain();
    } while (widget != first);
    EXPECT_EQ(visited, expected);
}

TEST(DialogBuilderTest, SortedListsAreSortedWhateverTheTemplateOrder) {
    const DialogTemplate unsorted{
        .id = 1,
        .caption = "t",
        .width = 100,
        .height = 50,
        .controls =
            {{7, ControlKind::DropDownList, "", {0, 0, 50, 40}, Sorted, {"zeta", "Alpha", "beta"}}},
    };
    CDialog dialog(unsorted, nullptr);
    const auto* list = dialog.Item<QComboBox>(7);
    EXPECT_EQ((QStringList{list->itemText(0), list->itemText(1), list->itemText(2)}),
              (QStringList{"Alpha", "beta", "zeta"}));
}

TEST(DialogBuilderTest, RadioGroupsEndAtTheNextGroupStart) {
    CDialog dialog(MainDialogTemplate(), nullptr);
    dialog.Item<QRadioButton>(ids::VideoWindow)->setChecked(true);
    dialog.Item<QRadioButton>(ids::InputStandard)->setChecked(true);
    dialog.Item<QRadioButton>(ids::InputController)->click();
    EXPECT_FALSE(dialog.Item<QRadioButton>(ids::InputStandard)->isChecked());
    EXPECT_TRUE(dialog.Item<QRadioButton>(ids::VideoWindow)->isChecked());
    dialog.Item<QRadioButton>(ids::EffectMasks)->click();
    EXPECT_TRUE(dialog.Item<QRadioButton>(ids::InputController)->isChecked());
}

TEST(DialogBuilderTest, TemplateIdsAreUniqueWithinEachDialog) {
    for (const int templateId : {ids::MainDialog, ids::AdvancedOptionsDialog, ids::AboutDialog}) {
        std::set<int> seen;
        for (const ControlTemplate& control : FindDialogTemplate(templateId)->controls) {
            if (control.id != NoControlId) {
                EXPECT_TRUE(seen.insert(control.id).second) << templateId << ": " << control.id;
            }
        }
    }
    EXPECT_EQ(FindDialogTemplate(999), nullptr);
}

TEST(DialogBuilderTest, ToolTipsComeFromTheStringTableByControlId) {
    CDialog dialog(MainDialogTemplate(), nullptr);
    dialog.SetToolTips(LoadResourceString);
    EXPECT_EQ(dialog.GetDlgItem(ids::UseMame32)->toolTip(), "Force mame32 execution");
    EXPECT_TRUE(dialog.GetDlgItem(ids::GameBox)->toolTip().isEmpty());
}

TEST(DialogBuilderTest, PicturesExistForEveryResourceNumber) {
    for (const int iconId : {130, 144, 146, 147, 148, 149, 150}) {
        const QIcon icon = LoadIconResource(iconId);
        EXPECT_FALSE(icon.isNull()) << iconId;
        // The program's icon also has the sizes of the desktop's menus and shortcuts.
        EXPECT_EQ(icon.availableSizes().size(), iconId == 130 ? 5 : 2) << iconId;
    }
    EXPECT_TRUE(LoadIconResource(131).isNull());
    const QImage picture = LoadBitmapResource(ids::DefaultSnapshotBitmap);
    EXPECT_EQ(picture.size(), QSize(232, 263));
    EXPECT_EQ(picture.depth(), 24);
    EXPECT_TRUE(LoadBitmapResource(128).isNull());
}

}  // namespace
}  // namespace kestrun
