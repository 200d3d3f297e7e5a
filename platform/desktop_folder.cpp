#include "platform/desktop_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/paths.h"
#include "platform/text_trim.h"

namespace kestrun {
namespace {

constexpr std::string_view DesktopKey = "XDG_DESKTOP_DIR=";
constexpr std::string_view HomeVariable = "$HOME";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// A value of the file is a double-quoted shell word that is either "$HOME/..." or absolute;
// anything else is ignored, as xdg-user-dirs does.
std::optional<std::string> FolderFromValue(std::string_view value, const std::string& home) {
    if (value.size() < 2 || value.front() != '"') {
        return std::nullopt;
    }
    std::string text;
    std::size_t at = 1;
    for (; at < value.size() && value[at] != '"'; ++at) {
        if (value[at] == '\\' && at + 1 < value.size()) {
            ++at;
        }
        text += value[at];
    }
    if (at == value.size()) {
        return std::nullopt;
    }
    std::string_view rest(text);
    std::string folder;
    if (rest.starts_with(HomeVariable) &&
        (rest.size() == HomeVariable.size() || rest[HomeVariable.size()] == PathSeparator)) {
        folder = home + std::string(rest.substr(HomeVariable.size()));
    } else if (IsAbsolutePath(rest)) {
        folder = std::string(rest);
    } else {
        return std::nullopt;
    }
    while (folder.size() > 1 && folder.back() == PathSeparator) {
        folder.pop_back();
    }
    return folder;
}

}  // namespace

std::string DesktopFolder() {
    const std::string home = Environment("HOME");
    if (home.empty()) {
        return {};
    }
    std::string configHome = Environment("XDG_CONFIG_HOME");
    if (!IsAbsolutePath(configHome)) {
        configHome = home + "/.config";
    }
    std::optional<std::string> desktop;
    std::ifstream file(configHome + "/user-dirs.dirs");
    for (std::string line; std::getline(file, line);) {
        const std::string_view text = TrimStart(line, blanks::SpacesAndTabs);
        if (text.starts_with(DesktopKey)) {
            // Like the shell that sources the file, the last assignment counts.
            if (auto folder = FolderFromValue(text.substr(DesktopKey.size()), home)) {
                desktop = std::move(folder);
            }
        }
    }
    return desktop.value_or(home + "/Desktop");
}

std::string HomeFolder() {
    if (std::string home = Environment("HOME"); IsAbsolutePath(home)) {
        return home;
    }
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && IsAbsolutePath(found->pw_dir)) {
        return found->pw_dir;
    }
    return {};
}

std::string DataHomeFolder() {
    if (std::string dataHome = Environment("XDG_DATA_HOME"); IsAbsolutePath(dataHome)) {
        return dataHome;
    }
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/.local/share";
}

}  // namespace kestrun
