#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <algorithm>
#include <cmath>

#include "install/qt_about_dialog.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_message_box.h"
#include "tests/ui/qt_application.h"

namespace kestrun {
namespace {

// The device pixel ratios at which Qt draws for 96 and 100 dots per inch.
constexpr qreal Ratios[] = {1.0, 100.0 / 96.0};

QImage Render(QWidget& widget, qreal ratio) {
    QImage image(std::ceil(widget.width() * ratio), std::ceil(widget.height() * ratio),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(widget.palette().color(QPalette::Window));
    widget.render(&image);
    return image;
}

// What a label painted over its background: the rectangle around it and the most pixels
// painted in one row.
struct Ink {
    QRect bounds;
    int longestRow = 0;
};

Ink InkOf(const QImage& image, const QWidget& label) {
    const QRgb background = label.palette().color(QPalette::Window).rgb();
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        int row = 0;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                ink.bounds |= QRect(x, y, 1, 1);
                ++row;
            }
        }
        ink.longestRow = std::max(ink.longestRow, row);
    }
    return ink;
}

// The label's part of the whole dialog drawn at the ratio: at the label's own size, or with
// room to spare below and to the right.
QImage LabelArea(CDialog& dialog, QLabel& label, qreal ratio, int scale) {
    const QSize size = label.size();
    label.raise();
    label.setAutoFillBackground(true);
    label.resize(size * scale);
    const QImage image = Render(dialog, ratio);
    const QRectF area = QRectF(QRect(label.mapTo(&dialog, QPoint()), label.size()));
    label.resize(size);
    label.setAutoFillBackground(false);
    const QPoint topLeft(std::floor(area.left() * ratio), std::floor(area.top() * ratio));
    const QPoint end(std::round(area.right() * ratio), std::round(area.bottom() * ratio));
    return image.copy(QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())) &
                      image.rect());
}

// A one-line text shows whole: with room to spare the label would paint nothing more. A link
// also shows its underline, a row inked along most of the text.
void ExpectWholeText(CDialog& dialog, QLabel& label) {
    for (const qreal ratio : Ratios) {
        SCOPED_TRACE(label.text().toStdString() + " at ratio " + std::to_string(ratio));
        const Ink shown = InkOf(LabelArea(dialog, label, ratio, 1), label);
        ASSERT_FALSE(shown.bounds.isEmpty());
        EXPECT_EQ(InkOf(LabelArea(dialog, label, ratio, 2), label).bounds, shown.bounds);
        if (label.font().underline()) {
            EXPECT_GT(shown.longestRow, shown.bounds.width() * 3 / 4) << "no underline";
        }
    }
}

TEST(LabelFit, TheAboutBoxShowsItsLinkUnderlined) {
    testing::RecordingShell shell;
    testing::ScriptedMessageBox messages;
    CAboutDialog about(nullptr, shell, messages, "/opt/kestrun/", {});
    testing::ShowActive(about);
    ExpectWholeText(about, *about.Item<QLabel>(ids::HomePageLink));
}

TEST(LabelFit, TheMainWindowShowsItsGameLabelWhole) {
    CDialog window(MainDialogTemplate(), nullptr);
    testing::ShowActive(window);
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text() == "Select game:") {
            ExpectWholeText(window, *label);
            return;
        }
    }
    ADD_FAILURE() << "no \"Select game:\" label";
}

}  // namespace
}  // namespace kestrun
