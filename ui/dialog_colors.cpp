#include "ui/dialog_colors.h"

#include <QApplication>
#include <QPalette>

namespace kestrun {

void SetDialogBkColor(const QColor& background, const QColor& text) {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    // Disabled labels stay readable on the dark background.
    palette.setColor(QPalette::Disabled, QPalette::WindowText, background.lighter(190));
    QApplication::setPalette(palette, "QDialog");
}

}  // namespace kestrun
