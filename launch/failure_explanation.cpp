#include "launch/failure_explanation.h"

#include <algorithm>
#include <vector>

#include "launch/start_command.h"

namespace kestrun {
namespace {

// Shorter common stretches are taken for chance, not for the same bytes captured twice.
constexpr std::size_t MinOverlap = 64;
constexpr std::size_t MaxSimilarNames = 8;

constexpr int MissingFiles = 2;
constexpr int UnknownSystem = 5;
constexpr int InvalidOption = 6;

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

std::string_view FirstWord(std::string_view line) {
    const auto start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return {};
    }
    line.remove_prefix(start);
    return line.substr(0, line.find(' '));
}

std::string Joined(const std::vector<std::string_view>& words) {
    std::string text;
    for (const std::string_view word : words) {
        text.append(text.empty() ? "" : ", ").append(word);
    }
    return text;
}

void AddOnce(std::vector<std::string_view>& words, std::string_view word) {
    if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end()) {
        words.push_back(word);
    }
}

// "pacman.6e NOT FOUND (tried in pacman puckman)" names the file pacman.6e.
std::string MissingFilesText(const std::vector<std::string_view>& lines,
                             const EmulatorFailure& failure) {
    std::vector<std::string_view> files;
    for (const std::string_view line : lines) {
        if (line.find(" NOT FOUND") != std::string_view::npos) {
            AddOnce(files, FirstWord(line));
        }
    }
    std::string text =
        "MAME cannot run " + std::string(failure.game) + ": files it needs are missing.";
    if (!files.empty()) {
        text += "\n\nNot found: " + Joined(files);
    }
    return text + "\n\nMAME looked for them in the folder " + std::string(failure.programFolder) +
           "roms/ (as " + std::string(failure.game) + ".zip).";
}

// "Unknown system 'x'", later a line ending in "the following" and a line ending in "first):",
// then one similar machine per line, its name first.
std::string UnknownSystemText(const std::vector<std::string_view>& lines,
                              const EmulatorFailure& failure) {
    constexpr std::string_view Marker = "Unknown system '";
    std::string_view system = failure.game;
    std::vector<std::string_view> similar;
    bool inList = false;
    for (const std::string_view line : lines) {
        if (const auto at = line.find(Marker); at != std::string_view::npos) {
            const std::string_view rest = line.substr(at + Marker.size());
            system = rest.substr(0, rest.rfind('\''));
            inList = false;
        } else if (line.ends_with("(best match first):")) {
            inList = true;
        } else if (inList && similar.size() < MaxSimilarNames) {
            AddOnce(similar, FirstWord(line));
        }
    }
    std::string text = "MAME does not know the system \"" + std::string(system) + "\".";
    if (!similar.empty()) {
        text += "\n\nSimilar names: " + Joined(similar);
    }
    return text;
}

std::string InvalidOptionText(const std::vector<std::string_view>& lines,
                              const EmulatorFailure& failure) {
    constexpr std::string_view Marker = "unknown option: ";
    for (const std::string_view line : lines) {
        const auto at = line.find(Marker);
        if (at == std::string_view::npos) {
            continue;
        }
        const std::string_view option = line.substr(at + Marker.size());
        const bool typed = std::find(failure.typedOptions.begin(), failure.typedOptions.end(),
                                     option) != failure.typedOptions.end();
        return "MAME does not accept the option " + std::string(option) +
               (typed ? ", which you typed after the game name."
                      : ", which Kestrun added for the options chosen in the window.");
    }
    return "MAME refused an option of the command line.";
}

}  // namespace

std::string JoinCapturedOutput(std::string_view head, std::string_view tail) {
    if (head.empty() || tail.starts_with(head)) {
        return std::string(tail);
    }
    if (tail.empty() || head.ends_with(tail)) {
        return std::string(head);
    }
    for (std::size_t overlap = std::min(head.size(), tail.size()); overlap >= MinOverlap;
         --overlap) {
        if (head.ends_with(tail.substr(0, overlap))) {
            return std::string(head) + std::string(tail.substr(overlap));
        }
    }
    return std::string(head) + "\n[...]\n" + std::string(tail);
}

std::optional<MessageBoxRequest> ExplainCurrentMameFailure(const EmulatorFailure& failure) {
    const std::string output = JoinCapturedOutput(failure.head, failure.tail);
    std::optional<MessageBoxRequest> message =
        RunFailureMessage(failure.commandLine, failure.captionName,
                          {RunOutcome::Kind::Exited, failure.status}, output);
    if (!message) {
        return std::nullopt;
    }
    const std::vector<std::string_view> lines = Lines(output);
    switch (failure.status) {
        case MissingFiles:
            message->text = MissingFilesText(lines, failure);
            break;
        case UnknownSystem:
            message->text = UnknownSystemText(lines, failure);
            break;
        case InvalidOption:
            message->text = InvalidOptionText(lines, failure);
            break;
        default:
            break;
    }
    message->details =
        "Command line:\n" + std::string(failure.commandLine) + "\n\nOutput:\n" + output;
    return message;
}

}  // namespace kestrun
