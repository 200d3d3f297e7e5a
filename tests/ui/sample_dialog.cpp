#include "tests/ui/sample_dialog.h"

#include <QPixmap>

#include "ui/dialog_image_source.h"

namespace kestrun::sample {

namespace {

struct Images final : DialogImageSource {
    QImage Bitmap(int bitmapId) const override {
        QImage image(30, 20, QImage::Format_RGB888);
        image.fill(QColor(bitmapId, 0, 0));
        return image;
    }
    QIcon Icon(int iconId) const override {
        QPixmap pixmap(16, 16);
        pixmap.fill(QColor(iconId, 0, 255));
        return QIcon(pixmap);
    }
};

}  // namespace

const DialogTemplate& Template() {
    using enum ControlKind;
    static const Images images;
    static const DialogTemplate dialog{
        .id = 1,
        .caption = "Sample",
        .width = 200,
        .height = 120,
        .controls =
            {
                {Run, DefaultPushButton, "&Run", {0, 0, 40, 14}, TabStop},
                {Editable, EditableComboBox, "", {45, 0, 60, 60}, TabStop},
                {List, DropDownList, "", {110, 0, 40, 50}, TabStop, {"a", "b", "c", "d"}},
                {SortedList, DropDownList, "", {155, 0, 40, 50}, Sorted, {"zeta", "Alpha", "beta"}},
                {Check, CheckBox, "&Check", {0, 20, 40, 10}, TabStop},
                {PushCheck, CheckBox, "Push", {45, 20, 40, 14}, TabStop | PushLike},
                {RadioA, RadioButton, "A", {0, 40, 20, 10}, TabStop | GroupStart},
                {RadioB, RadioButton, "B", {20, 40, 20, 10}},
                {RadioC, RadioButton, "C", {40, 40, 20, 10}, TabStop | GroupStart},
                {Slider, Trackbar, "", {0, 55, 80, 15}, TabStop},
                {Label, StaticText, "Label text", {90, 55, 50, 8}},
                {Group, GroupBox, "Group", {85, 20, 60, 30}},
                {NoControlId, EtchedHorizontalLine, "", {0, 75, 100, 1}},
                {Frame, BlackFrame, "", {0, 80, 40, 20}, Hidden},
                {Bitmap, BitmapStatic, "", {100, 75, 40, 30}, NoStyle, {}, 7},
                {Icon, IconStatic, "", {150, 75, 20, 20}, Sunken, {}, 8},
                {IdCancel, PushButton, "Cancel", {100, 100, 40, 14}, TabStop | Disabled},
            },
        .images = &images};
    return dialog;
}

const MenuTemplate& Menu() {
    static const MenuTemplate menu{
        .id = 1,
        .menus = {{.text = "&File",
                   .submenu = {{.text = "&Run", .commandId = MenuRun},
                               {.text = "Removed when offered", .commandId = MenuRemovedItem},
                               {.text = "Mode", .submenu = {{.text = "On", .commandId = MenuMode}}},
                               MenuSeparator()}},
                  {.text = "&Help", .submenu = {{.text = "&About", .commandId = MenuAbout}}}},
        .firstRightAligned = 1,
    };
    return menu;
}

}  // namespace kestrun::sample
