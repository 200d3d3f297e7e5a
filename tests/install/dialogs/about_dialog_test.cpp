#include "install/qt_about_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "res/string_table.h"
#include "tests/support/recording_shell.h"
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

// The empty target is skipped, the caption names no document, the string resource does. A
// link that opens turns teal until the box closes; one that does not beeps and stays cyan.
TEST_F(AboutDialogTest, TheTextLinkOpensTheHomePageOrBeeps) {
    ASSERT_FALSE(homePage_.empty());
    auto dialog = MakeDialog();
    auto* link = dialog->Item<QLabel>(ids::HomePageLink);
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::RightButton);
    EXPECT_TRUE(shell_.Attempts().empty());
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(shell_.Attempts(), (Targets{"Kestrun homepage", homePage_}));
    EXPECT_EQ(shell_.Beeps(), 1);
    EXPECT_EQ(TextColorOf(*link), LinkColorUnvisited);

    shell_.Accept(homePage_);
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(shell_.Beeps(), 1);
    EXPECT_EQ(TextColorOf(*link), LinkColorVisited);
    dialog = MakeDialog();
    EXPECT_EQ(TextColorOf(*dialog->Item<QLabel>(ids::HomePageLink)), LinkColorUnvisited);
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(AboutDialogTest, TheIconOpensTheSameAddressAndKeepsItsLook) {
    shell_.Accept(homePage_);
    auto dialog = MakeDialog();
    auto* icon = dialog->Item<QLabel>(ids::HomePageIconLink);
    const QPalette before = icon->palette();
    QTest::mouseClick(icon, Qt::LeftButton);
    EXPECT_EQ(shell_.Attempts(), Targets{LoadResourceString(ids::HomePageIconLink)});
    EXPECT_FALSE(icon->font().underline());
    EXPECT_EQ(icon->palette(), before);
}

TEST_F(AboutDialogTest, ViewHelpOpensThePageAndUninstallRunsTheMainWindowsAction) {
    int uninstalls = 0;
    auto dialog = MakeDialog([&uninstalls] { ++uninstalls; });
    dialog->Item<QPushButton>(ids::ViewHelp)->click();
    EXPECT_EQ(shell_.Attempts(), Targets{"/opt/kestrun/kestrun.htm"});
    EXPECT_EQ(messages_.Shown().size(), 1u);
    dialog->Item<QPushButton>(ids::UninstallButton)->click();
    EXPECT_EQ(uninstalls, 1);

    auto withoutAction = MakeDialog();
    withoutAction->Item<QPushButton>(ids::UninstallButton)->click();
    EXPECT_TRUE(withoutAction->isVisible());
}

}  // namespace
}  // namespace kestrun
