#include <gtest/gtest.h>

#include <string>

#include "tests/start/start_fixture.h"

namespace kestrun::testing {
namespace {

// The message shows the bytes as text whatever they are, without the final byte; the stream
// gets exactly what the emulator wrote.
TEST_F(StartCommandTest, OutputThatIsNotUtf8IsShownAndWrittenAsItCame) {
    Set("TEST_EMULATOR_STDOUT_TEXT", "bad \xff\xfe name\n");
    Set("TEST_EMULATOR_EXIT_CODE", "2");

    Start();

    ASSERT_EQ(messages.Shown().size(), 1u);
    const MessageBoxRequest& shown = messages.Shown().front();
    EXPECT_EQ(shown.caption, "MAME Error");
    EXPECT_EQ(shown.icon, MessageIcon::Stop);
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    EXPECT_EQ(shown.text, "bad \xff\xfe name");
    EXPECT_EQ(stream.Content(), "bad \xff\xfe name\n");
}

TEST(RunFailureMessageTest, NamesTheEmulatorAndCutsTheTextAtItsEnd) {
    struct Case {
        const char* name;
        int status;
        std::string output;
        const char* caption;  // nullptr: no message
        std::string text;
    };
    const Case cases[] = {
        {"MAMEPP", 4, "x", "MAMEPP Error", ""},
        {"MAME32", -6, "ab", "MAME32 Execution Aborted", "a"},
        {"MAME", 1, std::string("one\0two\n", 8), "MAME Error", "one"},
        {"MAME", 0, "output\n", nullptr, ""},
        {"MAME", 1, "", nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.status));
        const auto message = RunFailureMessage(c.name, c.status, c.output);
        ASSERT_EQ(message.has_value(), c.caption != nullptr);
        if (message) {
            EXPECT_EQ(message->caption, c.caption);
            EXPECT_EQ(message->text, c.text);
        }
    }
}

}  // namespace
}  // namespace kestrun::testing
