#include "ui/qt_message_box.h"

#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace kestrun {

namespace {

QMessageBox::Icon QtIconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

std::vector<std::pair<QMessageBox::StandardButton, MessageResult>> ButtonsOf(
    MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return {{QMessageBox::Ok, MessageResult::Ok},
                    {QMessageBox::Cancel, MessageResult::Cancel}};
        case MessageButtons::YesNo:
            return {{QMessageBox::Yes, MessageResult::Yes}, {QMessageBox::No, MessageResult::No}};
        case MessageButtons::Ok:
            break;
    }
    return {{QMessageBox::Ok, MessageResult::Ok}};
}

}  // namespace

MessageResult QtMessageBox::Show(const MessageBoxRequest& request) {
    QMessageBox box(owner_);
    box.setIcon(QtIconOf(request.icon));
    box.setWindowTitle(QString::fromStdString(request.caption));
    // A game name typed by the user must never be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(request.text));
    if (!request.details.empty()) {
        box.setDetailedText(QString::fromStdString(request.details));
    }

    const auto buttons = ButtonsOf(request.buttons);
    std::vector<QPushButton*> shown;
    for (const auto& [standard, result] : buttons) {
        shown.push_back(box.addButton(standard));
    }
    const auto defaultIndex = static_cast<std::size_t>(request.defaultButton);
    box.setDefaultButton(defaultIndex < shown.size() ? shown[defaultIndex] : shown.front());
    // Escape answers like the last button: Ok alone, Cancel, or No.
    box.setEscapeButton(shown.back());

    box.exec();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (box.clickedButton() == shown[i]) {
            return buttons[i].second;
        }
    }
    return buttons.back().second;
}

}  // namespace kestrun
