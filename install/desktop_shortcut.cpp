#include "install/desktop_shortcut.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/desktop_folder.h"
#include "platform/paths.h"

namespace kestrun {
namespace {

constexpr std::string_view DesktopEntryExtension = ".desktop";
constexpr mode_t DesktopEntryMode = 0755;
constexpr mode_t IconMode = 0644;

// The escapes of a desktop entry's string values.
std::string EscapedValue(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// One Exec argument, always quoted: inside the quotes ", `, $ and \ take a backslash, and a
// literal % is doubled so it is not read as a field code. The string escapes apply on top.
std::string QuotedExecArgument(std::string_view argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        } else if (c == '%') {
            quoted += '%';
        }
        quoted += c;
    }
    quoted += '"';
    return EscapedValue(quoted);
}

}  // namespace

std::string UserIconPath(std::string_view name, int size) {
    const std::string dataHome = DataHomeFolder();
    if (dataHome.empty()) {
        return {};
    }
    const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
    return dataHome + "/icons/hicolor/" + sizeName + "/apps/" + std::string(name) + ".png";
}

int InstallUserIcon(std::string_view name, std::span<const IconFile> files) {
    for (const IconFile& file : files) {
        const std::string path = UserIconPath(name, file.size);
        if (path.empty()) {
            return ENOENT;
        }
        std::error_code ignored;
        std::filesystem::create_directories(FolderOf(path), ignored);
        if (const int error = WriteFileAtomically(path, file.png, IconMode); error != 0) {
            return error;
        }
    }
    return 0;
}

void RemoveUserIcon(std::string_view name) {
    for (const int size : UserIconSizes) {
        if (const std::string path = UserIconPath(name, size); !path.empty()) {
            ::unlink(path.c_str());
        }
    }
}

std::string DesktopShortcutPath(std::string_view linkName) {
    const std::string desktop = DesktopFolder();
    if (desktop.empty()) {
        return {};
    }
    return desktop + std::string(linkName) + std::string(DesktopEntryExtension);
}

std::string DesktopEntryText(std::string_view target, std::string_view description) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Kestrun\n"
           "Comment=" +
           EscapedValue(description) + "\nExec=" + QuotedExecArgument(target) +
           "\nIcon=" + std::string(ProgramIconName) + "\n";
}

int CreateDesktopShortcut(const std::string& target, const std::string& linkName,
                          const std::string& description, MessageBoxService& messages) {
    const std::string path = DesktopShortcutPath(linkName);
    if (!path.empty()) {
        // A fresh account may have no desktop folder yet; the user asked for a shortcut there.
        std::error_code ignored;
        std::filesystem::create_directories(FolderOf(path), ignored);
    }
    const int error =
        path.empty()
            ? ENOENT
            : WriteFileAtomically(path, DesktopEntryText(target, description), DesktopEntryMode);
    if (error != 0) {
        MessageBoxRequest failure;
        failure.text = "IPersistFile->Save() Error";
        failure.caption = "Error";
        messages.Show(failure);
    }
    return error;
}

}  // namespace kestrun
