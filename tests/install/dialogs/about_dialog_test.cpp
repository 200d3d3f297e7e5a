#include "install/qt_about_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "res/string_table.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_message_box.h"
#include "tests/ui/qt_application.h"

namespace kestrun {
namespace {

// The empty target is skipped, the caption names no document, the string resource does. A
// link that opens turns teal; one that does not beeps and stays cyan. The icon opens the same
// address.
TEST(AboutDialogTest, TheLinksOpenTheHomePageOrBeepAndTheButtonsDoTheirCommands) {
    const std::string homePage = LoadResourceString(ids::HomePageLink);
    testing::RecordingShell shell;
    testing::ScriptedMessageBox messages;
    int uninstalls = 0;
    CAboutDialog about(nullptr, shell, messages, "/opt/kestrun/", [&uninstalls] { ++uninstalls; });
    testing::ShowActive(about);
    auto* link = about.Item<QLabel>(ids::HomePageLink);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::RightButton);
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(shell.Attempts(), std::vector<std::string>({"Kestrun homepage", homePage}));
    EXPECT_EQ(shell.Beeps(), 1);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), LinkColorUnvisited);

    shell.Accept(homePage);
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::mouseClick(about.Item<QLabel>(ids::HomePageIconLink), Qt::LeftButton);
    EXPECT_EQ(shell.Attempts().size(), 4u);
    EXPECT_EQ(shell.Attempts().back(), homePage);
    EXPECT_EQ(shell.Beeps(), 1);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), LinkColorVisited);

    about.Item<QPushButton>(ids::ViewHelp)->click();
    EXPECT_EQ(shell.Attempts().back(), "/opt/kestrun/kestrun.htm");
    about.Item<QPushButton>(ids::UninstallButton)->click();
    EXPECT_EQ(uninstalls, 1);
    EXPECT_EQ(messages.Shown().size(), 1u);
}

}  // namespace
}  // namespace kestrun
