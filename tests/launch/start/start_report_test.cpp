#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <string>

#include "launch/emulator_selection.h"
#include "launch/start_command.h"

namespace kestrun::testing {
namespace {

TEST(RunFailureMessageTest, SaysWhatWentWrongInTheEmulatorsWords) {
    using Kind = RunOutcome::Kind;
    struct Case {
        const char* commandLine;
        RunOutcome outcome;
        std::string output;
        const char* caption;  // nullptr: no message
        MessageIcon icon;
        std::string text;
    };
    const Case cases[] = {
        {"mamepp.exe \"pacman\"", {Kind::Exited, 4}, "x", "MAMEPP Error", MessageIcon::Stop, ""},
        // Bytes that are not UTF-8 stay as they came.
        {"mame.exe \"pacman\"",
         {Kind::Exited, 2},
         "bad \xff\xfe name\n",
         "MAME Error",
         MessageIcon::Stop,
         "bad \xff\xfe name"},
        {"mame32.exe \"pacman\"",
         {Kind::Killed, SIGABRT},
         "ab",
         "MAME32 Execution Aborted",
         MessageIcon::Exclamation,
         "a"},
        {"mame.exe \"pacman\"",
         {Kind::Unknown, ECHILD},
         std::string("one\0two\n", 8),
         "MAME Error",
         MessageIcon::Stop,
         "one"},
        {"mame.exe \"pacman\" -norc",
         {Kind::NotStarted, EACCES},
         "",
         "Kestrun",
         MessageIcon::Stop,
         "Could not start mame.exe: Permission denied."},
        {"mame.exe \"pacman\"", {Kind::Exited, 0}, "output\n", nullptr, {}, ""},
        {"mame.exe \"pacman\"", {Kind::Exited, 1}, "", nullptr, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.commandLine) + " " + std::to_string(c.outcome.value));
        const auto message = RunFailureMessage(c.commandLine, EmulatorCaptionName(c.commandLine),
                                               c.outcome, c.output);
        ASSERT_EQ(message.has_value(), c.caption != nullptr);
        if (message) {
            EXPECT_EQ(message->caption, c.caption);
            EXPECT_EQ(message->icon, c.icon);
            EXPECT_EQ(message->buttons, MessageButtons::Ok);
            EXPECT_EQ(message->text, c.text);
        }
    }
}

}  // namespace
}  // namespace kestrun::testing
