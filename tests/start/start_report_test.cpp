#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "tests/start/start_fixture.h"

namespace kestrun::testing {
namespace {

struct ShownMessage {
    std::string caption;
    MessageIcon icon;
    std::string text;
};

struct ReportCase {
    const char* name;
    std::vector<std::pair<const char*, std::string>> settings;
    std::optional<ShownMessage> message;
    std::string written;  // what reaches the output stream
};

void PrintTo(const ReportCase& c, std::ostream* out) {
    *out << c.name;
}

const ReportCase ReportCases[] = {
    {"LongOutputShowsTheTailWithoutItsLastByte",
     {{"TEST_EMULATOR_STDOUT_BYTES", "5000"}, {"TEST_EMULATOR_EXIT_CODE", "1"}},
     ShownMessage{"MAME Error", MessageIcon::Stop, StartCommandTest::Pattern(5000 - 1024, 1023)},
     StartCommandTest::Pattern(5000 - 1024, 1024)},
    {"FinalNewlineStaysOutOfTheMessageOnly",
     {{"TEST_EMULATOR_STDERR_TEXT", "error\n"}, {"TEST_EMULATOR_EXIT_CODE", "2"}},
     ShownMessage{"MAME Error", MessageIcon::Stop, "error"},
     "error\n"},
    {"CrashIsAnAbortedRun",
     {{"TEST_EMULATOR_STDOUT_TEXT", "boom\n"}, {"TEST_EMULATOR_SIGNAL", "11"}},
     ShownMessage{"MAME Execution Aborted", MessageIcon::Exclamation, "boom"},
     "boom\n"},
    {"BytesThatAreNotUtf8AreKept",
     {{"TEST_EMULATOR_STDOUT_TEXT", "bad \xff\xfe name\n"}, {"TEST_EMULATOR_EXIT_CODE", "1"}},
     ShownMessage{"MAME Error", MessageIcon::Stop, "bad \xff\xfe name"},
     "bad \xff\xfe name\n"},
    {"SuccessWithOutputShowsNothing",
     {{"TEST_EMULATOR_STDOUT_TEXT", "all fine\n"}},
     std::nullopt,
     "all fine\n"},
    {"FailureWithoutOutputShowsNothing", {{"TEST_EMULATOR_EXIT_CODE", "3"}}, std::nullopt, ""},
};

class StartReportTest : public StartCommandTest,
                        public ::testing::WithParamInterface<ReportCase> {};

TEST_P(StartReportTest, ReportsTheRunAndWritesTheRealOutput) {
    for (const auto& [setting, value] : GetParam().settings) {
        Set(setting, value);
    }

    Start();

    const auto& expected = GetParam().message;
    ASSERT_EQ(messages.Shown().size(), expected ? 1u : 0u);
    if (expected) {
        const MessageBoxRequest& shown = messages.Shown().front();
        EXPECT_EQ(shown.caption, expected->caption);
        EXPECT_EQ(shown.icon, expected->icon);
        EXPECT_EQ(shown.buttons, MessageButtons::Ok);
        EXPECT_EQ(shown.text, expected->text);
    }
    EXPECT_EQ(StreamContent(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Runs, StartReportTest, ::testing::ValuesIn(ReportCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RunFailureMessageTest, NamesTheEmulatorAndCutsTheTextAtItsEnd) {
    struct Case {
        const char* commandLine;
        int status;
        std::string output;
        const char* caption;  // nullptr: no message
        std::string text;
    };
    const Case cases[] = {
        {"mamepp.exe \"pacman\"", 4, "x", "MAMEPP Error", ""},
        {"mame32.exe \"pacman\"", -6, "ab", "MAME32 Execution Aborted", "a"},
        {"mame.exe \"pacman\"", 1, std::string("one\0two\n", 8), "MAME Error", "one"},
        {"mame.exe \"pacman\"", 0, "output\n", nullptr, ""},
        {"mame.exe \"pacman\"", 1, "", nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.commandLine) + " " + std::to_string(c.status));
        const auto message = RunFailureMessage(c.commandLine, c.status, c.output);
        ASSERT_EQ(message.has_value(), c.caption != nullptr);
        if (message) {
            EXPECT_EQ(message->caption, c.caption);
            EXPECT_EQ(message->text, c.text);
        }
    }
}

}  // namespace
}  // namespace kestrun::testing
