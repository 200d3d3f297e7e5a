#include "platform/shortcut_resolver.h"

#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string_view>

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text_trim.h"

namespace kestrun {
namespace {

// A desktop entry worth reading is a few hundred bytes; a bigger file is not a link.
constexpr std::size_t MaxDesktopFileSize = 64 * 1024;

std::string SymbolicLinkTarget(const std::string& path) {
    std::string target(MaxPathLength + 1, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) > MaxPathLength) {
        return {};
    }
    target.resize(static_cast<std::size_t>(length));
    return IsAbsolutePath(target) ? target : FolderOf(path) + target;
}

// The escapes a desktop entry's string values may hold: \s \n \t \r \\.
std::string UnescapeDesktopValue(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
            case 's':
                text += ' ';
                break;
            case 'n':
                text += '\n';
                break;
            case 't':
                text += '\t';
                break;
            case 'r':
                text += '\r';
                break;
            default:
                text += value[i];
                break;
        }
    }
    return text;
}

std::optional<int> HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return std::nullopt;
}

// The local path of a file:// URL (no host or "localhost"), percent-decoded; empty for any
// other URL or a broken escape.
std::string LocalPathOfUrl(std::string_view url) {
    constexpr std::string_view scheme = "file://";
    if (!url.starts_with(scheme)) {
        return {};
    }
    url.remove_prefix(scheme.size());
    url = url.substr(0, url.find_first_of("?#"));
    const auto slash = url.find('/');
    if (slash == std::string_view::npos) {
        return {};
    }
    const std::string_view host = url.substr(0, slash);
    if (!host.empty() && host != "localhost") {
        return {};
    }
    url.remove_prefix(slash);

    std::string path;
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] != '%') {
            path += url[i];
            continue;
        }
        const auto high = i + 2 < url.size() ? HexDigit(url[i + 1]) : std::nullopt;
        const auto low = i + 2 < url.size() ? HexDigit(url[i + 2]) : std::nullopt;
        const int byte = high && low ? *high * 16 + *low : 0;
        // A NUL would cut the path short wherever it is handed to the system.
        if (byte == 0) {
            return {};
        }
        path += static_cast<char>(byte);
        i += 2;
    }
    return path;
}

std::string DesktopLinkTarget(const std::string& path) {
    const std::optional<std::string> content = ReadFileUpTo(path, MaxDesktopFileSize);
    if (!content || content->empty()) {
        return {};
    }

    bool inMainGroup = false;
    bool isLink = false;
    std::string url;
    std::string_view rest(*content);
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::string_view line = Trim(rest.substr(0, end), blanks::EntryLine);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = Trim(line.substr(0, equals), blanks::EntryLine);
        const std::string_view value = Trim(line.substr(equals + 1), blanks::EntryLine);
        if (key == "Type") {
            isLink = value == "Link";
        } else if (key == "URL") {
            url = UnescapeDesktopValue(value);
        }
    }
    return isLink ? LocalPathOfUrl(url) : std::string();
}

}  // namespace

std::string ResolveShortcut(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::lstat(path.c_str(), &info) != 0) {
        return {};
    }
    std::string target;
    if (S_ISLNK(info.st_mode)) {
        target = SymbolicLinkTarget(path);
    } else if (S_ISREG(info.st_mode) && path.ends_with(".desktop")) {
        target = DesktopLinkTarget(path);
    }
    return target.size() <= MaxPathLength ? target : std::string();
}

}  // namespace kestrun
