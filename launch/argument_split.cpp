#include "launch/argument_split.h"

namespace kestrun {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Returns the position after the name. The line is not empty.
std::size_t ScanProgramName(std::string_view line, std::string& name) {
    bool inQuotes = false;
    std::size_t pos = 0;
    do {
        if (line[pos] == '"') {
            inQuotes = !inQuotes;
        } else {
            name += line[pos];
        }
        ++pos;
    } while (pos < line.size() && (inQuotes || !IsBlank(line[pos])));
    return pos;
}

// Returns the position after the argument, which starts at a character that is not blank.
std::size_t ScanArgument(std::string_view line, std::size_t pos, std::string& argument) {
    bool inQuotes = false;
    for (;;) {
        std::size_t backslashes = 0;
        while (pos < line.size() && line[pos] == '\\') {
            ++backslashes;
            ++pos;
        }
        bool keepCharacter = true;
        if (pos < line.size() && line[pos] == '"') {
            if (backslashes % 2 == 0) {
                if (inQuotes && pos + 1 < line.size() && line[pos + 1] == '"') {
                    ++pos;
                } else {
                    keepCharacter = false;
                    inQuotes = !inQuotes;
                }
            }
            backslashes /= 2;
        }
        argument.append(backslashes, '\\');
        if (pos >= line.size() || (!inQuotes && IsBlank(line[pos]))) {
            return pos;
        }
        if (keepCharacter) {
            argument += line[pos];
        }
        ++pos;
    }
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    commandLine = commandLine.substr(0, commandLine.find('\0'));
    std::vector<std::string> arguments;
    if (commandLine.empty()) {
        return arguments;
    }
    std::string programName;
    std::size_t pos = ScanProgramName(commandLine, programName);
    arguments.push_back(std::move(programName));
    for (;;) {
        while (pos < commandLine.size() && IsBlank(commandLine[pos])) {
            ++pos;
        }
        if (pos >= commandLine.size()) {
            return arguments;
        }
        std::string argument;
        pos = ScanArgument(commandLine, pos, argument);
        arguments.push_back(std::move(argument));
    }
}

}  // namespace kestrun
