#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kestrun {

// What the program's command line asks for.
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };

    Action action = Action::Run;
    std::optional<std::string> folder;  // --folder DIR
    std::optional<std::string> game;    // the optional game argument
    // The text to print for help, version or a refusal (the reason and the usage).
    std::string message;
};

// Reads the arguments (the program name first). Anything it does not know is refused.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments, const std::string& version);

// Prints the help, the version or the refusal and gives the exit code: 0, or 2 for a refusal.
int AnswerCommandLine(const CommandLine& commandLine);

}  // namespace kestrun
