#include "ui/dialog_colors.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>

#include "tests/ui/sample_dialog.h"
#include "ui/dialog.h"

namespace kestrun {
namespace {

TEST(DialogColorsTest, DialogsAndMessageBoxesGetTheColoursOtherWindowsDoNot) {
    const QPalette before = QApplication::palette();
    const QColor background(1, 2, 3);
    const QColor text(250, 251, 252);
    SetDialogBkColor(background, text);
    {
        CDialog dialog(sample::Template(), nullptr);
        QMessageBox message;
        QWidget plainWindow;
        // Class colours reach a widget when it is polished, before it is first shown.
        dialog.ensurePolished();
        message.ensurePolished();
        const QWidget* box = dialog.GetDlgItem(sample::Check);
        for (const QPalette& palette : {dialog.palette(), box->palette(), message.palette()}) {
            EXPECT_EQ(palette.color(QPalette::Window), background);
            EXPECT_EQ(palette.color(QPalette::WindowText), text);
        }
        // Push buttons keep the system's face so their dark caption stays readable, and a
        // disabled label must stay readable on the background.
        EXPECT_EQ(dialog.GetDlgItem(sample::Run)->palette().color(QPalette::ButtonText),
                  before.color(QPalette::ButtonText));
        EXPECT_EQ(box->palette().color(QPalette::Disabled, QPalette::WindowText),
                  background.lighter(190));
        EXPECT_EQ(plainWindow.palette().color(QPalette::Window), before.color(QPalette::Window));
    }
    QApplication::setPalette(before, "QDialog");
}

}  // namespace
}  // namespace kestrun
