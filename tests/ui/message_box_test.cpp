#include "ui/qt_message_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace kestrun {
namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    Qt::TextFormat format = Qt::AutoText;
    QString details;
};

// Shows the request, notes what the box looks like and presses the given button (or Escape
// when none is given).
MessageResult ShowAndPress(const MessageBoxRequest& request, QMessageBox::StandardButton press,
                           SeenBox& seen) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no message box";
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.format = box->textFormat();
        seen.details = box->detailedText();
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons.append(box->standardButton(button));
        }
        seen.defaultButton = box->standardButton(box->defaultButton());
        if (press == QMessageBox::NoButton) {
            box->reject();
        } else {
            box->button(press)->click();
        }
    });
    QtMessageBox service(nullptr);
    return service.Show(request);
}

struct BoxCase {
    MessageButtons buttons;
    MessageIcon icon;
    int defaultButton;
    QMessageBox::StandardButton press;
    QMessageBox::Icon shownIcon;
    QMessageBox::StandardButton shownDefault;
    MessageResult result;
};

TEST(QtMessageBoxTest, ShowsTheIconButtonsAndDefaultAndReportsThePressedButton) {
    const BoxCase cases[] = {
        {MessageButtons::Ok, MessageIcon::Stop, 0, QMessageBox::Ok, QMessageBox::Critical,
         QMessageBox::Ok, MessageResult::Ok},
        {MessageButtons::OkCancel, MessageIcon::Exclamation, 1, QMessageBox::Cancel,
         QMessageBox::Warning, QMessageBox::Cancel, MessageResult::Cancel},
        {MessageButtons::YesNo, MessageIcon::Question, 0, QMessageBox::No, QMessageBox::Question,
         QMessageBox::Yes, MessageResult::No},
        {MessageButtons::YesNo, MessageIcon::Information, 0, QMessageBox::Yes,
         QMessageBox::Information, QMessageBox::Yes, MessageResult::Yes},
        {MessageButtons::Ok, MessageIcon::None, 5, QMessageBox::Ok, QMessageBox::NoIcon,
         QMessageBox::Ok, MessageResult::Ok},
        // Escape (no button given) answers Cancel or No.
        {MessageButtons::OkCancel, MessageIcon::Exclamation, 0, QMessageBox::NoButton,
         QMessageBox::Warning, QMessageBox::Ok, MessageResult::Cancel},
        {MessageButtons::YesNo, MessageIcon::Question, 1, QMessageBox::NoButton,
         QMessageBox::Question, QMessageBox::No, MessageResult::No},
    };
    for (const BoxCase& c : cases) {
        const MessageBoxRequest request{"text", "caption",       c.buttons,
                                        c.icon, c.defaultButton, "the long story"};
        SeenBox seen;
        EXPECT_EQ(ShowAndPress(request, c.press, seen), c.result);
        EXPECT_EQ(seen.icon, c.shownIcon);
        EXPECT_EQ(seen.defaultButton, c.shownDefault);
        EXPECT_EQ(seen.title, "caption");
        EXPECT_EQ(seen.details, "the long story");
    }
}

TEST(QtMessageBoxTest, TextIsShownLiterallyNeverAsMarkup) {
    SeenBox seen;
    const std::string text = "<b>roms/evil.zip</b> could not be opened.";
    ShowAndPress({text, "ERROR", MessageButtons::Ok, MessageIcon::Stop, 0}, QMessageBox::Ok, seen);
    EXPECT_EQ(seen.text.toStdString(), text);
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
}

}  // namespace
}  // namespace kestrun
