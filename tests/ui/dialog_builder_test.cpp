#include "ui/dialog_builder.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "tests/ui/sample_dialog.h"
#include "ui/dialog.h"
#include "ui/dialog_units.h"

namespace kestrun {
namespace {

TEST(DialogBuilderTest, EveryControlHasItsKindRectangleCaptionAndState) {
    CDialog dialog(sample::Template(), nullptr);
    EXPECT_EQ(dialog.size(), DialogSizeToPixels(200, 120));
    const char* const classes[] = {
        "QPushButton",  "QComboBox",    "QComboBox",    "QComboBox", "QCheckBox",  "QPushButton",
        "QRadioButton", "QRadioButton", "QRadioButton", "QSlider",   "QLabel",     "QGroupBox",
        "QFrame",       "QFrame",       "QLabel",       "QLabel",    "QPushButton"};
    const auto& built = dialog.Controls().All();
    ASSERT_EQ(built.size(), std::size(classes));
    for (std::size_t i = 0; i < built.size(); ++i) {
        const ControlTemplate& control = sample::Template().controls[i];
        const QWidget& widget = *built[i].widget;
        SCOPED_TRACE(control.id);
        EXPECT_TRUE(widget.inherits(classes[i]));
        const QRect expected = DialogRectToPixels(control.rect);
        EXPECT_EQ(QRect(widget.pos(), QSize(widget.width(), expected.height())), expected);
        // A closed combo box is one line high; its rectangle includes the open list.
        const bool combo = qobject_cast<const QComboBox*>(&widget) != nullptr;
        EXPECT_EQ(widget.height() < expected.height(), combo);
        if (!control.caption.empty()) {
            EXPECT_EQ(dialog.GetDlgItemText(control.id).toStdString(), control.caption);
        }
        EXPECT_EQ((widget.focusPolicy() & Qt::TabFocus) != 0, control.Has(TabStop));
        EXPECT_EQ(widget.isEnabled(), !control.Has(Disabled));
        EXPECT_EQ(widget.isVisibleTo(&dialog), !control.Has(Hidden));
    }
    EXPECT_TRUE(dialog.Item<QPushButton>(sample::Run)->isDefault());
    EXPECT_TRUE(dialog.Item<QPushButton>(sample::PushCheck)->isCheckable());
    EXPECT_EQ(dialog.GetDlgItem(NoControlId), nullptr);
}

TEST(DialogBuilderTest, ListsAreSortedOnlyWhenAskedAndRadioGroupsEndAtAGroupStart) {
    CDialog dialog(sample::Template(), nullptr);
    const auto* sorted = dialog.Item<QComboBox>(sample::SortedList);
    EXPECT_EQ((QStringList{sorted->itemText(0), sorted->itemText(1), sorted->itemText(2)}),
              (QStringList{"Alpha", "beta", "zeta"}));
    EXPECT_EQ(dialog.Item<QComboBox>(sample::List)->itemText(3), "d");
    EXPECT_EQ(sorted->currentIndex(), -1);

    const auto radio = [&dialog](int id) { return dialog.Item<QRadioButton>(id); };
    radio(sample::RadioA)->click();
    radio(sample::RadioC)->click();
    EXPECT_TRUE(radio(sample::RadioA)->isChecked());
    radio(sample::RadioB)->click();
    EXPECT_FALSE(radio(sample::RadioA)->isChecked());
    EXPECT_TRUE(radio(sample::RadioC)->isChecked());
}

// Pictures come from the template's image source; without one they stay empty.
TEST(DialogBuilderTest, PicturesTextsAndToolTips) {
    CDialog dialog(sample::Template(), nullptr);
    const QImage bitmap = dialog.Item<QLabel>(sample::Bitmap)->pixmap().toImage();
    EXPECT_EQ(bitmap.size(), QSize(30, 20));
    EXPECT_EQ(bitmap.pixelColor(29, 19), QColor(7, 0, 0));
    const QImage icon = dialog.Item<QLabel>(sample::Icon)->pixmap().toImage();
    EXPECT_EQ(icon.size(), QSize(16, 16));
    EXPECT_EQ(icon.pixelColor(15, 15), QColor(8, 0, 255));
    DialogTemplate withoutImages = sample::Template();
    withoutImages.images = nullptr;
    EXPECT_TRUE(CDialog(withoutImages, nullptr).Item<QLabel>(sample::Bitmap)->pixmap().isNull());

    // Only an editable box takes a text; a drop-down list shows its chosen item.
    for (const int id : {sample::Run, sample::Check, sample::Label, sample::Group, sample::Editable,
                         sample::List}) {
        dialog.SetDlgItemText(id, "new");
        EXPECT_EQ(dialog.GetDlgItemText(id), id == sample::List ? "" : "new") << id;
    }
    dialog.SetToolTips([](int id) { return std::string(id == sample::Check ? "tip" : ""); });
    EXPECT_EQ(dialog.GetDlgItem(sample::Check)->toolTip(), "tip");
    EXPECT_TRUE(dialog.GetDlgItem(sample::Run)->toolTip().isEmpty());
}

}  // namespace
}  // namespace kestrun
