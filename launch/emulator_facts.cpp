#include "launch/emulator_facts.h"

#include <algorithm>

namespace kestrun {
namespace {

constexpr std::string_view Blanks = " \t\r";

// Short names MAME takes for options of the generated command line; -showusage lists only the
// long ones.
constexpr std::pair<std::string_view, std::string_view> ShortNames[] = {
    {"artcrop", "artwork_crop"}, {"max", "maximize"},  {"r", "resolution"},
    {"rc", "readconfig"},        {"sr", "samplerate"},
};

std::string_view LongName(std::string_view option) {
    for (const auto& [shortName, longName] : ShortNames) {
        if (option == shortName) {
            return longName;
        }
    }
    return option;
}

template <typename Action>
void ForEachLine(std::string_view text, Action action) {
    while (!text.empty()) {
        const auto end = text.find('\n');
        action(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsNameCharacter(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

}  // namespace

bool EmulatorFacts::Accepts(std::string_view option) const {
    if (options.empty()) {
        return true;
    }
    const auto listed = [this](std::string_view name) {
        return std::binary_search(options.begin(), options.end(), LongName(name));
    };
    return listed(option) || (option.starts_with("no") && listed(option.substr(2)));
}

std::string ParseVersion(std::string_view output) {
    const std::string_view line = TrimBlanks(output.substr(0, output.find('\n')));
    std::size_t end = 0;
    const auto digits = [&] {
        const std::size_t start = end;
        while (end < line.size() && IsDigit(line[end])) {
            ++end;
        }
        return end > start;
    };
    if (!digits() || end >= line.size() || line[end++] != '.' || !digits()) {
        return {};
    }
    while (end < line.size() && (IsDigit(line[end]) || line[end] == '.')) {
        ++end;
    }
    return std::string(line.substr(0, end));
}

std::vector<std::string> ParseUsage(std::string_view output) {
    std::vector<std::string> names;
    ForEachLine(output, [&](std::string_view line) {
        if (line.size() < 2 || line[0] != '-' || !IsNameCharacter(line[1])) {
            return;
        }
        std::size_t end = 1;
        while (end < line.size() && IsNameCharacter(line[end])) {
            ++end;
        }
        names.emplace_back(line.substr(1, end - 1));
    });
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::map<std::string, std::string, std::less<>> ParseSearchPaths(std::string_view output) {
    std::map<std::string, std::string, std::less<>> paths;
    ForEachLine(output, [&](std::string_view line) {
        const auto nameEnd = line.find_first_of(Blanks);
        const std::string_view name = line.substr(0, nameEnd);
        const bool wanted = std::any_of(
            SearchPathSettings.begin(), SearchPathSettings.end(),
            [name](const SearchPathSetting& setting) { return setting.option == name; });
        if (!wanted || nameEnd == std::string_view::npos) {
            return;
        }
        std::string_view value = TrimBlanks(line.substr(nameEnd));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        paths.insert_or_assign(std::string(name), std::string(value));
    });
    return paths;
}

}  // namespace kestrun
