#include "ui/qt_message_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kestrun {
namespace {

using Box = QMessageBox;

// Escape answers like the last button: Ok alone, Cancel or No. The text is never markup.
TEST(QtMessageBoxTest, ShowsTheRequestAndReportsThePressedButton) {
    using enum MessageButtons;
    const struct {
        MessageButtons buttons;
        MessageIcon icon;
        int defaultButton;
        Box::StandardButton press, shownDefault;  // press NoButton: Escape
        Box::Icon shownIcon;
        MessageResult result;
    } cases[] = {
        {Ok, MessageIcon::Stop, 0, Box::Ok, Box::Ok, Box::Critical, MessageResult::Ok},
        {Ok, MessageIcon::None, 0, Box::NoButton, Box::Ok, Box::NoIcon, MessageResult::Ok},
        {OkCancel, MessageIcon::Exclamation, 1, Box::NoButton, Box::Cancel, Box::Warning,
         MessageResult::Cancel},
        {YesNo, MessageIcon::Question, 5, Box::No, Box::Yes, Box::Question, MessageResult::No},
        {YesNo, MessageIcon::Information, 0, Box::NoButton, Box::Yes, Box::Information,
         MessageResult::No},
    };
    const std::string text = "<b>roms/evil.zip</b> could not be opened.";
    for (const auto& c : cases) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = true;
            EXPECT_EQ(box->windowTitle(), "caption");
            EXPECT_EQ(box->text().toStdString(), text);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->icon(), c.shownIcon);
            EXPECT_EQ(box->standardButton(box->defaultButton()), c.shownDefault);
            EXPECT_EQ(box->detailedText(), "the long story");
            if (c.press == Box::NoButton) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->button(c.press)->click();
            }
        });
        EXPECT_EQ(QtMessageBox(nullptr).Show(
                      {text, "caption", c.buttons, c.icon, c.defaultButton, "the long story"}),
                  c.result);
        EXPECT_TRUE(seen);
    }
}

}  // namespace
}  // namespace kestrun
