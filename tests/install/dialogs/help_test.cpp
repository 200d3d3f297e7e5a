#include "install/help_commands.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "tests/install/file_helpers.h"
#include "tests/support/recording_shell.h"
#include "tests/support/scripted_message_box.h"

namespace kestrun {
namespace {

// Which documents the commands open is seen through the main window; here, what a failed open
// says: the document without its folder. A successful one says nothing.
TEST(HelpCommandsTest, AFailedOpenSaysWhichDocumentCouldNotBeOpened) {
    testing::RecordingShell shell;
    testing::ScriptedMessageBox messages;
    EXPECT_TRUE(OnHelpInfo("/opt/kestrun/", shell, messages));
    OnGetEmulator(shell, messages);
    shell.Accept("/opt/kestrun/kestrun.htm");
    OnDocumentation("/opt/kestrun/", shell, messages);

    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(messages.Shown()[0].text, "kestrun.htm could not be opened.");
    EXPECT_EQ(messages.Shown()[1].text,
              "https://www.mamedev.org/release.html could not be opened.");
    EXPECT_EQ(messages.Shown()[1].caption, "ERROR");
    EXPECT_EQ(messages.Shown()[1].icon, MessageIcon::Stop);
    EXPECT_EQ(messages.Shown()[1].buttons, MessageButtons::Ok);
}

// The page the build puts beside the kestrun executable: self-contained, with working inner
// links.
TEST(HelpPageTest, LiesBesideTheExecutableAndStandsOnItsOwn) {
    const std::string page = testing::ReadWholeFile(KESTRUN_HELP_PAGE);
    EXPECT_NE(page.find("~/.config/Pellworth/kestrun.ini"), std::string::npos);
    EXPECT_FALSE(std::regex_search(page, std::regex(R"(src=|<link|@import|url\()")));
    const std::regex innerLink(R"(href="#([^"]+)\")");
    int links = 0;
    for (auto link = std::sregex_iterator(page.begin(), page.end(), innerLink);
         link != std::sregex_iterator(); ++link, ++links) {
        EXPECT_NE(page.find("id=\"" + (*link)[1].str() + "\""), std::string::npos) << (*link)[1];
    }
    EXPECT_GT(links, 0);
}

}  // namespace
}  // namespace kestrun
