#include "ui/dialog_colors.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>

#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "ui/dialog.h"

namespace kestrun {
namespace {

TEST(DialogColorsTest, DialogsAndMessageBoxesGetDarkGreyWithWhiteText) {
    const QPalette before = QApplication::palette();
    SetDialogBkColor(DialogBackground, DialogText);
    {
        CDialog dialog(MainDialogTemplate(), nullptr);
        // Class colours reach a widget when it is polished, before it is first shown.
        dialog.ensurePolished();
        EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(63, 64, 63));
        const QWidget* box = dialog.GetDlgItem(ids::Steadykey);
        EXPECT_EQ(box->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        EXPECT_EQ(box->palette().color(QPalette::Window), QColor(63, 64, 63));
        // Push buttons keep the system's face so their dark caption stays readable.
        const QWidget* start = dialog.GetDlgItem(ids::Start);
        EXPECT_EQ(start->palette().color(QPalette::ButtonText), before.color(QPalette::ButtonText));
        // A disabled label must not vanish into the background.
        EXPECT_NE(box->palette().color(QPalette::Disabled, QPalette::WindowText),
                  QColor(63, 64, 63));

        QMessageBox message;
        message.ensurePolished();
        EXPECT_EQ(message.palette().color(QPalette::Window), QColor(63, 64, 63));
        EXPECT_EQ(message.palette().color(QPalette::WindowText), QColor(255, 255, 255));

        QWidget plainWindow;
        EXPECT_EQ(plainWindow.palette().color(QPalette::Window), before.color(QPalette::Window));
    }
    QApplication::setPalette(before, "QDialog");
}

}  // namespace
}  // namespace kestrun
