#include "install/about_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "res/string_table.h"
#include "tests/dialogs/recording_shell.h"
#include "tests/support/scripted_message_box.h"
#include "tests/ui/qt_application.h"

namespace kestrun {
namespace {

using Targets = std::vector<std::string>;

QColor TextColorOf(const QLabel& label) {
    return label.palette().color(QPalette::WindowText);
}

class AboutDialogTest : public ::testing::Test {
  protected:
    std::unique_ptr<CAboutDialog> MakeDialog(std::function<void()> uninstall = {}) {
        auto dialog = std::make_unique<CAboutDialog>(nullptr, shell_, messages_, "/opt/kestrun/",
                                                     std::move(uninstall));
        testing::ShowActive(*dialog);
        return dialog;
    }

    const std::string homePage_ = LoadResourceString(ids::HomePageLink);
    testing::RecordingShell shell_;
    testing::ScriptedMessageBox messages_;
};

TEST_F(AboutDialogTest, TheTextLinkOpensTheHomePageAndStaysTealUntilTheBoxCloses) {
    ASSERT_FALSE(homePage_.empty());
    shell_.Accept(homePage_);
    auto dialog = MakeDialog();
    auto* link = dialog->Item<QLabel>(ids::HomePageLink);
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(TextColorOf(*link), LinkColorUnvisited);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(link, Qt::LeftButton);
    // The empty target is skipped, the caption names no document, the string resource does.
    EXPECT_EQ(shell_.Attempts(), (Targets{"Kestrun homepage", homePage_}));
    EXPECT_EQ(TextColorOf(*link), LinkColorVisited);
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(shell_.Attempts(), (Targets{"Kestrun homepage", homePage_, homePage_}));
    EXPECT_EQ(shell_.Beeps(), 0);

    dialog = MakeDialog();
    EXPECT_EQ(TextColorOf(*dialog->Item<QLabel>(ids::HomePageLink)), LinkColorUnvisited);
}

TEST_F(AboutDialogTest, TheIconOpensTheSameAddressAndKeepsItsLook) {
    shell_.Accept(homePage_);
    auto dialog = MakeDialog();
    auto* icon = dialog->Item<QLabel>(ids::HomePageIconLink);
    const QPalette before = icon->palette();
    EXPECT_EQ(icon->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(icon, Qt::LeftButton);
    EXPECT_EQ(shell_.Attempts(), Targets{LoadResourceString(ids::HomePageIconLink)});
    EXPECT_FALSE(icon->font().underline());
    EXPECT_EQ(icon->palette(), before);
}

TEST_F(AboutDialogTest, ALinkWithNoTargetThatOpensBeepsAndStaysCyan) {
    auto dialog = MakeDialog();
    auto* link = dialog->Item<QLabel>(ids::HomePageLink);
    QTest::mouseClick(link, Qt::RightButton);
    EXPECT_TRUE(shell_.Attempts().empty());

    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(shell_.Attempts(), (Targets{"Kestrun homepage", homePage_}));
    EXPECT_EQ(shell_.Beeps(), 1);
    EXPECT_EQ(TextColorOf(*link), LinkColorUnvisited);
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(AboutDialogTest, ViewHelpOpensThePageBesideTheProgramOrSaysItCannot) {
    auto dialog = MakeDialog();
    dialog->Item<QPushButton>(ids::ViewHelp)->click();
    EXPECT_EQ(shell_.Attempts(), Targets{"/opt/kestrun/kestrun.htm"});
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].text, "kestrun.htm could not be opened.");
    EXPECT_EQ(messages_.Shown()[0].caption, "ERROR");
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(AboutDialogTest, UninstallRunsTheActionTheMainWindowGave) {
    int uninstalls = 0;
    auto dialog = MakeDialog([&uninstalls] { ++uninstalls; });
    dialog->Item<QPushButton>(ids::UninstallButton)->click();
    EXPECT_EQ(uninstalls, 1);

    auto withoutAction = MakeDialog();
    withoutAction->Item<QPushButton>(ids::UninstallButton)->click();
    EXPECT_TRUE(withoutAction->isVisible());
}

}  // namespace
}  // namespace kestrun
