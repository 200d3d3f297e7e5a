#include "install/help_commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/support/recording_shell.h"
#include "tests/support/scripted_message_box.h"

namespace kestrun {
namespace {

const std::string ProgramFolder = "/opt/kestrun/";

// A failed open names the document without its folder; a successful one says nothing.
TEST(HelpCommandsTest, EachCommandOpensItsDocumentOrSaysWhichCouldNotBeOpened) {
    const struct {
        const char* name;
        std::function<void(DesktopShell&, MessageBoxService&)> run;
        std::string target;
        std::string failureText;
    } commands[] = {
        {"F1",
         [](DesktopShell& shell, MessageBoxService& messages) {
             EXPECT_TRUE(OnHelpInfo(ProgramFolder, shell, messages));
         },
         "/opt/kestrun/kestrun.htm", "kestrun.htm could not be opened."},
        {"Documentation",
         [](DesktopShell& shell, MessageBoxService& messages) {
             OnDocumentation(ProgramFolder, shell, messages);
         },
         "/opt/kestrun/kestrun.htm", "kestrun.htm could not be opened."},
        {"Get MAME",
         [](DesktopShell& shell, MessageBoxService& messages) { OnGetEmulator(shell, messages); },
         "https://www.mamedev.org/release.html",
         "https://www.mamedev.org/release.html could not be opened."},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.name);
        testing::RecordingShell shell;
        testing::ScriptedMessageBox messages;
        command.run(shell, messages);
        EXPECT_EQ(shell.Attempts(), std::vector<std::string>{command.target});
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_EQ(messages.Shown()[0].text, command.failureText);
        EXPECT_EQ(messages.Shown()[0].caption, "ERROR");
        EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Stop);
        EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::Ok);

        shell.Accept(command.target);
        command.run(shell, messages);
        EXPECT_EQ(messages.Shown().size(), 1u);
    }
}

}  // namespace
}  // namespace kestrun
