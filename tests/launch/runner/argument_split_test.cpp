#include "launch/argument_split.h"

#include <gtest/gtest.h>

namespace kestrun {
namespace {

using Words = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string line;
    Words expected;
};

// What programs built on the Windows C runtime receive for these lines.
const SplitCase SplitCases[] = {
    {"QuotedGame", R"(mame.exe "pacman" -norc)", {"mame.exe", "pacman", "-norc"}},
    {"BackslashesWithoutQuote",
     R"(mame.exe a\\\b d"e f"g h)",
     {"mame.exe", R"(a\\\b)", "de fg", "h"}},
    {"OddBackslashesBeforeQuote", R"(mame.exe a\\\"b c d)", {"mame.exe", R"(a\"b)", "c", "d"}},
    {"EvenBackslashesBeforeQuote",
     R"(mame.exe a\\\\"b c" d e)",
     {"mame.exe", R"(a\\b c)", "d", "e"}},
    {"DoubledQuoteInsideQuotes", R"(mame.exe a"b"" c d)", {"mame.exe", R"(ab" c d)"}},
    {"DoubledQuoteClosingQuotes", R"(mame.exe "a""")", {"mame.exe", R"(a")"}},
    {"EscapedQuoteInsideQuotes", R"(mame.exe "a\"b" c)", {"mame.exe", R"(a"b)", "c"}},
    {"TrailingBackslash", R"(mame.exe C:\roms\ x)", {"mame.exe", R"(C:\roms\)", "x"}},
    {"EmptyQuotedArgument", R"(mame.exe "" x)", {"mame.exe", "", "x"}},
    {"UnterminatedQuote", R"(mame.exe "pac man)", {"mame.exe", "pac man"}},
    {"TabsAndRunsOfBlanks", "mame.exe\t a  \t b\t", {"mame.exe", "a", "b"}},
    {"QuotedProgramName",
     R"("C:\Program Files\mame.exe" x)",
     {R"(C:\Program Files\mame.exe)", "x"}},
    {"ProgramNameKeepsBackslashes", R"(ma\"me x" y)", {R"(ma\me x)", "y"}},
    {"ShellSyntaxStaysText",
     R"(mame.exe "pacman"; touch x; "" -norc)",
     {"mame.exe", "pacman;", "touch", "x;", "", "-norc"}},
    {"EndsAtNul", std::string("mame.exe a\0b c", 14), {"mame.exe", "a"}},
    {"EmptyLine", "", {}},
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, GivesTheRuntimesArguments) {
    EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, SplitCommandLineTest, ::testing::ValuesIn(SplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrun
