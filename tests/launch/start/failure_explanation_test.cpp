#include "launch/failure_explanation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrun {
namespace {

// What MAME 0.251 writes for each failure, shortened.
const char* const MissingPacman =
    "Warning: -video none doesn't make much sense without -seconds_to_run\n"
    "pacman.6e NOT FOUND (tried in pacman puckman)\n"
    "pacman.6f NOT FOUND (tried in pacman puckman)\n"
    "pacman.6e NOT FOUND (tried in pacman puckman)\n"
    "82s123.7f NOT FOUND (tried in pacman puckman)\n"
    "Fatal error: Required files are missing, the machine cannot be run.\n";
const char* const UnknownPacmn =
    "Unknown system 'pacmn'\n\n"
    "\"pacmn\" approximately matches the following\n"
    "supported machines (best match first):\n\n"
    "pacman            Pac-Man (Midway)                       (Namco (Midway license), 1980)\n"
    "pacmanf           Pac-Man (Midway, speedup hack)         (hack, 1980)\n";

TEST(ExplainCurrentMameFailure, SaysInPlainWordsWhatMamesExitCodeAndLinesTell) {
    const std::vector<std::string> typed{"-foo", "-video", "none"};
    struct Case {
        int status;
        std::string head;
        std::string tail;
        const char* text;
    };
    const Case cases[] = {
        {2, "", MissingPacman,
         "MAME cannot run pacman: files it needs are missing.\n\n"
         "Not found: pacman.6e, pacman.6f, 82s123.7f\n\n"
         "MAME looked for them in the folder /games/roms/ (as pacman.zip)."},
        {5, UnknownPacmn, std::string(UnknownPacmn).substr(60),
         "MAME does not know the system \"pacmn\".\n\nSimilar names: pacman, pacmanf"},
        {6, "", "Error: unknown option: -foo\n",
         "MAME does not accept the option -foo, which you typed after the game name."},
        {6, "", "Error: unknown option: -skip_disclaimer\n",
         "MAME does not accept the option -skip_disclaimer, which Kestrun added for the options "
         "chosen in the window."},
        {3, "", "Fatal error: no screen\n", "Fatal error: no screen"},  // its own last lines
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.status) + " " + c.tail);
        const auto message = ExplainCurrentMameFailure({.status = c.status,
                                                        .head = c.head,
                                                        .tail = c.tail,
                                                        .commandLine = "mame \"pacman\" -norc",
                                                        .game = "pacman",
                                                        .typedOptions = typed,
                                                        .programFolder = "/games/",
                                                        .captionName = "MAME"});
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->text, c.text);
        EXPECT_EQ(message->caption, "MAME Error");
        EXPECT_EQ(message->icon, MessageIcon::Stop);
        EXPECT_EQ(message->details, "Command line:\nmame \"pacman\" -norc\n\nOutput:\n" +
                                        JoinCapturedOutput(c.head, c.tail));
    }
}

}  // namespace
}  // namespace kestrun
