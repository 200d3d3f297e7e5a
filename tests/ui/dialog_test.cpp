#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "tests/ui/qt_application.h"
#include "tests/ui/sample_dialog.h"
#include "ui/command_router.h"
#include "ui/data_exchange.h"
#include "ui/dialog.h"
#include "ui/dialog_colors.h"
#include "ui/dialog_units.h"
#include "ui/qt_message_box.h"

namespace kestrun {
namespace {

// Horizontal units are 6/4 pixel, vertical 13/8, rounded to the nearest pixel with halves
// away from zero; each edge of a rectangle is converted on its own, so controls that touch in
// units touch in pixels.
TEST(DialogUnitsTest, ConvertsAtTheBaseUnitsAndRounds) {
    const int cases[][3] = {{0, 0, 0},    {1, 2, 2},      {3, 5, 5},       {4, 6, 7},
                            {-1, -2, -2}, {-7, -11, -11}, {155, 233, 252}, {606, 909, 985}};
    for (const auto& [units, pixelsX, pixelsY] : cases) {
        EXPECT_EQ(DialogUnitsToPixelsX(units), pixelsX) << units;
        EXPECT_EQ(DialogUnitsToPixelsY(units), pixelsY) << units;
    }
    EXPECT_EQ(DialogRectToPixels({171, 49, 15, 15}), QRect(257, 80, 22, 24));
}

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
        // A closed combo box is one line high; its rectangle includes the open list.
        const QRect expected = DialogRectToPixels(control.rect);
        EXPECT_EQ(QRect(widget.pos(), QSize(widget.width(), expected.height())), expected);
        EXPECT_EQ(widget.height() < expected.height(), widget.inherits("QComboBox"));
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

// Pictures come from the template's image source; without one they stay empty.
TEST(DialogBuilderTest, ListsPicturesAndRadioGroupsFollowTheTemplate) {
    CDialog dialog(sample::Template(), nullptr);
    const auto* sorted = dialog.Item<QComboBox>(sample::SortedList);
    EXPECT_EQ((QStringList{sorted->itemText(0), sorted->itemText(1), sorted->itemText(2)}),
              (QStringList{"Alpha", "beta", "zeta"}));
    EXPECT_EQ(sorted->currentIndex(), -1);

    const QImage bitmap = dialog.Item<QLabel>(sample::Bitmap)->pixmap().toImage();
    EXPECT_EQ(bitmap.size(), QSize(30, 20));
    EXPECT_EQ(bitmap.pixelColor(29, 19), QColor(7, 0, 0));
    EXPECT_EQ(dialog.Item<QLabel>(sample::Icon)->pixmap().toImage().pixelColor(15, 15),
              QColor(8, 0, 255));
    DialogTemplate withoutImages = sample::Template();
    withoutImages.images = nullptr;
    EXPECT_TRUE(CDialog(withoutImages, nullptr).Item<QLabel>(sample::Bitmap)->pixmap().isNull());

    // A group runs up to the next group start.
    const auto radio = [&dialog](int id) { return dialog.Item<QRadioButton>(id); };
    radio(sample::RadioA)->click();
    radio(sample::RadioC)->click();
    EXPECT_TRUE(radio(sample::RadioA)->isChecked());
    radio(sample::RadioB)->click();
    EXPECT_FALSE(radio(sample::RadioA)->isChecked());
    EXPECT_TRUE(radio(sample::RadioC)->isChecked());
}

// Every exchange has one shape: a control id and the member it fills.
using Binding = void (DataExchange::*)(int, int&) const;

void Exchange(const CDialog& dialog, Binding binding, int controlId, int& value, bool save) {
    (DataExchange(dialog.Controls(), save).*binding)(controlId, value);
}

// A value pushed into the controls and read straight back: out-of-range numbers come back as
// "no selection" (or clamped, for a trackbar), never as something else; a binding to a control
// of another kind, or to none, leaves the member alone.
TEST(DataExchangeTest, ValuesRoundTripThroughEveryControlKind) {
    const Binding check = &DataExchange::Check, radio = &DataExchange::Radio,
                  list = &DataExchange::ListIndex, trackbar = &DataExchange::Trackbar;
    const std::tuple<Binding, int, int, int> cases[] = {
        {check, sample::Check, 1, 1},      {check, sample::Check, 7, 0},
        {check, sample::PushCheck, 1, 1},  {radio, sample::RadioA, 1, 1},
        {radio, sample::RadioA, 2, -1},    {radio, sample::RadioC, -1, -1},
        {radio, sample::RadioB, 1, 12345}, {list, sample::List, 3, 3},
        {list, sample::List, 4, -1},       {list, sample::List, -5, -1},
        {list, sample::Label, 2, 12345},   {trackbar, sample::Slider, 150, 100},
        {trackbar, sample::Slider, -3, 0}, {trackbar, 999, 5, 12345}};
    for (auto [binding, controlId, stored, readBack] : cases) {
        const CDialog dialog(sample::Template(), nullptr);
        Exchange(dialog, binding, controlId, stored, false);
        int value = 12345;
        Exchange(dialog, binding, controlId, value, true);
        EXPECT_EQ(value, readBack) << controlId << " " << stored;
    }
}

// Positions count in template order; -1 clears the chosen button although the group keeps one
// chosen for the user.
TEST(DataExchangeTest, MinusOneClearsARadioGroup) {
    const CDialog dialog(sample::Template(), nullptr);
    auto* first = dialog.Item<QRadioButton>(sample::RadioA);
    int value = 0;
    Exchange(dialog, &DataExchange::Radio, sample::RadioA, value, false);
    EXPECT_TRUE(first->isChecked());
    value = -1;
    Exchange(dialog, &DataExchange::Radio, sample::RadioA, value, false);
    EXPECT_FALSE(first->isChecked());
    first->click();
    dialog.Item<QRadioButton>(sample::RadioB)->click();
    EXPECT_FALSE(first->isChecked());
}

// Push buttons keep the system's face so their dark caption stays readable; a disabled label
// must stay readable on the background. Class colours reach a widget when it is polished.
TEST(DialogColorsTest, DialogsAndMessageBoxesGetTheColoursOtherWindowsDoNot) {
    const QPalette before = QApplication::palette();
    const QColor background(1, 2, 3);
    SetDialogBkColor(background, QColor(250, 251, 252));
    {
        CDialog dialog(sample::Template(), nullptr);
        QMessageBox message;
        dialog.ensurePolished();
        message.ensurePolished();
        const QPalette box = dialog.GetDlgItem(sample::Check)->palette();
        EXPECT_EQ(message.palette().color(QPalette::Window), background);
        EXPECT_EQ(box.color(QPalette::WindowText), QColor(250, 251, 252));
        EXPECT_EQ(box.color(QPalette::Disabled, QPalette::WindowText), background.lighter(190));
        EXPECT_EQ(dialog.GetDlgItem(sample::Run)->palette().color(QPalette::ButtonText),
                  before.color(QPalette::ButtonText));
        EXPECT_EQ(QWidget().palette().color(QPalette::Window), before.color(QPalette::Window));
    }
    QApplication::setPalette(before, "QDialog");
}

using Box = QMessageBox;

// Escape answers like the last button: Ok alone, Cancel or No. The text is never markup.
TEST(QtMessageBoxTest, ShowsTheRequestAndReportsThePressedButton) {
    using enum MessageButtons;
    using enum MessageIcon;
    const struct {
        MessageButtons buttons;
        MessageIcon icon;
        int defaultButton;
        Box::StandardButton press, shownDefault;  // press NoButton: Escape
        Box::Icon shownIcon;
        MessageResult result;
    } cases[] = {
        {Ok, Stop, 0, Box::Ok, Box::Ok, Box::Critical, MessageResult::Ok},
        {OkCancel, Exclamation, 1, Box::NoButton, Box::Cancel, Box::Warning, MessageResult::Cancel},
        {YesNo, Question, 5, Box::No, Box::Yes, Box::Question, MessageResult::No},
        {YesNo, Information, 0, Box::NoButton, Box::Yes, Box::Information, MessageResult::No}};
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

// The sample dialog with its menu, shown; it counts the window's close commands and, when
// it swallows Cancel, the Cancel commands.
class SampleDialog : public CDialog {
  public:
    explicit SampleDialog(bool swallowCancel = false) : CDialog(sample::Template(), nullptr) {
        SetMenu(sample::Menu());
        if (swallowCancel) {
            Commands().OnCommand(IdCancel, [this] { ++cancels; });
        }
        testing::ShowActive(*this);
    }

    int closes = 0;
    int cancels = 0;

  protected:
    void OnClose() override { ++closes; }
};

// Escape sends Cancel, which a handler may swallow and which otherwise ends the dialog; the
// window's close command is told apart from it.
TEST(CommandRouterTest, EscapeSendsCancelAndTheCloseCommandIsToldApart) {
    SampleDialog swallowing(true);
    QTest::keyClick(&swallowing, Qt::Key_Escape);
    EXPECT_EQ(swallowing.cancels, 1);
    EXPECT_TRUE(swallowing.isVisible());

    SampleDialog standard;
    standard.close();
    EXPECT_EQ(standard.closes, 1);
    EXPECT_TRUE(standard.isVisible());
    QTest::keyClick(&standard, Qt::Key_Escape);
    EXPECT_EQ(standard.closes, 1);
    EXPECT_FALSE(standard.isVisible());
    EXPECT_EQ(standard.result(), IdCancel);
}

// Handlers set marks and texts as the menu opens. A submenu's title is offered under its first
// item's id and never changed; an item that removes itself does not end the walk. Menus from
// the first right-aligned one on stand in the bar's corner.
TEST(CommandRouterTest, UpdateHandlersChangeTheItemsAsTheMenuOpens) {
    SampleDialog dialog;
    const auto menuOf = [&dialog](int id) {
        return qobject_cast<QMenu*>(dialog.FindMenuItem(id)->parent());
    };
    EXPECT_EQ(menuOf(sample::MenuAbout)->parentWidget(),
              dialog.MenuBar()->cornerWidget(Qt::TopRightCorner));
    QMenu& file = *menuOf(sample::MenuRun);
    std::vector<int> offered;
    CommandRouter& commands = dialog.Commands();
    commands.OnUpdate(sample::MenuRun, [](CommandUI& item) {
        item.SetRadio(true);
        item.SetText("On");
    });
    commands.OnUpdate(sample::MenuRemovedItem, [&](CommandUI& item) {
        offered.push_back(item.CommandId());
        file.removeAction(dialog.FindMenuItem(sample::MenuRemovedItem));
    });
    commands.OnUpdate(sample::MenuMode, [&offered](CommandUI& item) {
        offered.push_back(item.CommandId());
        item.SetCheck(true);
        item.SetText("changed");
    });
    file.popup(QPoint(0, 0));  // as the user opens it, so that the handlers run
    file.hide();
    const QAction* run = dialog.FindMenuItem(sample::MenuRun);
    EXPECT_EQ(run->text(), "On");
    EXPECT_TRUE(run->isChecked());
    EXPECT_EQ(offered, (std::vector<int>{sample::MenuRemovedItem, sample::MenuMode}));
    const QAction* title = menuOf(sample::MenuMode)->menuAction();
    EXPECT_EQ(title->text(), "Mode");
    EXPECT_FALSE(title->isCheckable());
}

}  // namespace
}  // namespace kestrun
