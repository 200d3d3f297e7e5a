#include "ui/dialog_builder.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <algorithm>

#include "ui/dialog_image_source.h"
#include "ui/dialog_units.h"
#include "ui/drop_down_combo_box.h"

namespace kestrun {

namespace {

// A combo box's rectangle spans its open list; closed it is one text line high.
constexpr int ClosedComboHeightUnits = 14;
constexpr int IconSizePixels = 16;
constexpr int TextLineUnits = 8;

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

QWidget* MakeButton(const ControlTemplate& control, QWidget& parent) {
    auto* button = new QPushButton(ToQString(control.caption), &parent);
    button->setDefault(control.kind == ControlKind::DefaultPushButton);
    button->setIconSize(QSize(IconSizePixels, IconSizePixels));
    return button;
}

QWidget* MakeCheckBox(const ControlTemplate& control, QWidget& parent) {
    if (!control.Has(PushLike)) {
        auto* box = new QCheckBox(ToQString(control.caption), &parent);
        // Covers the frame line of a group box whose title it is.
        box->setBackgroundRole(QPalette::Window);
        box->setAutoFillBackground(true);
        return box;
    }
    auto* button = new QPushButton(ToQString(control.caption), &parent);
    button->setCheckable(true);
    button->setFlat(control.Has(Flat));
    // A check button is never the dialog's default button, not even while focused.
    button->setAutoDefault(false);
    button->setIconSize(QSize(IconSizePixels, IconSizePixels));
    return button;
}

QWidget* MakeComboBox(const ControlTemplate& control, QWidget& parent) {
    auto* box = new DropDownComboBox(&parent);
    box->setEditable(control.kind == ControlKind::EditableComboBox);
    // Enter belongs to the dialog's default button; the box's own code decides what it keeps.
    box->setInsertPolicy(QComboBox::NoInsert);
    QStringList items;
    for (const std::string& item : control.items) {
        items.append(ToQString(item));
    }
    if (control.Has(Sorted)) {
        std::stable_sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
    }
    box->addItems(items);
    box->setCurrentIndex(-1);
    return box;
}

QWidget* MakeTrackbar(QWidget& parent) {
    auto* slider = new QSlider(Qt::Horizontal, &parent);
    slider->setRange(0, 100);
    slider->setPageStep(20);
    slider->setTickPosition(QSlider::NoTicks);
    return slider;
}

QWidget* MakeFrame(QFrame::Shape shape, QFrame::Shadow shadow, QWidget& parent) {
    auto* frame = new QFrame(&parent);
    frame->setFrameShape(shape);
    frame->setFrameShadow(shadow);
    return frame;
}

QWidget* MakeLabel(const ControlTemplate& control, QWidget& parent) {
    auto* label = new QLabel(&parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Only a label with room for more than one line wraps its text.
    label->setWordWrap(control.rect.height >= 2 * TextLineUnits);
    label->setText(ToQString(control.caption));
    return label;
}

QWidget* MakePicture(const ControlTemplate& control, const DialogImageSource* images,
                     QWidget& parent) {
    auto* label = new QLabel(&parent);
    const bool bitmap = control.kind == ControlKind::BitmapStatic;
    label->setAlignment(bitmap ? Qt::AlignLeft | Qt::AlignTop : Qt::Alignment(Qt::AlignCenter));
    if (images != nullptr) {
        label->setPixmap(bitmap ? QPixmap::fromImage(images->Bitmap(control.imageId))
                                : images->Icon(control.imageId).pixmap(32, 32));
    }
    if (control.Has(Sunken)) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    return label;
}

QWidget* MakeWidget(const ControlTemplate& control, const DialogImageSource* images,
                    QWidget& parent) {
    switch (control.kind) {
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton:
            return MakeButton(control, parent);
        case ControlKind::CheckBox:
            return MakeCheckBox(control, parent);
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(ToQString(control.caption), &parent);
            radio->setAutoExclusive(false);
            return radio;
        }
        case ControlKind::GroupBox:
            return new QGroupBox(ToQString(control.caption), &parent);
        case ControlKind::StaticText:
            return MakeLabel(control, parent);
        case ControlKind::EditableComboBox:
        case ControlKind::DropDownList:
            return MakeComboBox(control, parent);
        case ControlKind::Trackbar:
            return MakeTrackbar(parent);
        case ControlKind::EtchedHorizontalLine:
            return MakeFrame(QFrame::HLine, QFrame::Sunken, parent);
        case ControlKind::BlackFrame:
            return MakeFrame(QFrame::Box, QFrame::Plain, parent);
        case ControlKind::BitmapStatic:
        case ControlKind::IconStatic:
            return MakePicture(control, images, parent);
    }
    return MakeLabel(control, parent);
}

QRect GeometryOf(const ControlTemplate& control) {
    QRect rect = DialogRectToPixels(control.rect);
    const bool isCombo =
        control.kind == ControlKind::EditableComboBox || control.kind == ControlKind::DropDownList;
    if (isCombo) {
        rect.setHeight(std::min(rect.height(), DialogUnitsToPixelsY(ClosedComboHeightUnits)));
    }
    return rect;
}

Qt::FocusPolicy FocusPolicyOf(const ControlTemplate& control) {
    switch (control.kind) {
        case ControlKind::GroupBox:
        case ControlKind::StaticText:
        case ControlKind::EtchedHorizontalLine:
        case ControlKind::BlackFrame:
        case ControlKind::BitmapStatic:
        case ControlKind::IconStatic:
            return Qt::NoFocus;
        default:
            return control.Has(TabStop) ? Qt::StrongFocus : Qt::ClickFocus;
    }
}

// Frames drawn around other controls stay behind them and let clicks through.
bool IsBackdrop(ControlKind kind) {
    return kind == ControlKind::GroupBox || kind == ControlKind::BlackFrame;
}

}  // namespace

DialogControls BuildDialogControls(const DialogTemplate& dialogTemplate, QWidget& client) {
    client.setFixedSize(DialogSizeToPixels(dialogTemplate.width, dialogTemplate.height));
    DialogControls controls;
    QButtonGroup* radioGroup = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = MakeWidget(control, dialogTemplate.images, client);
        widget->setGeometry(GeometryOf(control));
        widget->setFocusPolicy(FocusPolicyOf(control));
        widget->setEnabled(!control.Has(Disabled));
        widget->setVisible(!control.Has(Hidden));
        if (IsBackdrop(control.kind)) {
            widget->lower();
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        if (control.Has(GroupStart)) {
            radioGroup = nullptr;
        }
        if (control.kind == ControlKind::RadioButton) {
            if (radioGroup == nullptr) {
                radioGroup = new QButtonGroup(&client);
                controls.AddRadioGroup(control.id, radioGroup);
            }
            radioGroup->addButton(static_cast<QAbstractButton*>(widget));
        }
        controls.Add(control, widget);
    }
    return controls;
}

}  // namespace kestrun
