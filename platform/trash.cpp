#include "platform/trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string_view>

#include "platform/file_system.h"
#include "platform/paths.h"

namespace kestrun {
namespace {

namespace fs = std::filesystem;

// Beyond this many objects of one name the trash is not worth searching further.
constexpr int MaxNameTries = 10000;

// Empty without a home folder to put it in.
std::string TrashFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && IsAbsolutePath(dataHome)) {
        return std::string(dataHome) + "/Trash";
    }
    const char* home = std::getenv("HOME");
    return home != nullptr && IsAbsolutePath(home) ? std::string(home) + "/.local/share/Trash"
                                                   : std::string();
}

std::string AbsolutePath(const std::string& path) {
    std::string absolute = path;
    if (!IsAbsolutePath(path)) {
        std::error_code ignored;
        absolute = fs::current_path(ignored).string() + PathSeparator + path;
    }
    while (absolute.size() > 1 && absolute.back() == PathSeparator) {
        absolute.pop_back();
    }
    return absolute;
}

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '~' || c == PathSeparator;
}

std::string PercentEncoded(std::string_view path) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnreserved(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += Digits[byte >> 4];
            encoded += Digits[byte & 0x0F];
        }
    }
    return encoded;
}

std::string DeletionDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// "name", then "name.2.ext", "name.3.ext" ... keeping the extension readable.
std::string CandidateName(std::string_view baseName, int number) {
    if (number == 1) {
        return std::string(baseName);
    }
    const auto dot = baseName.rfind('.');
    const std::size_t cut = dot == std::string_view::npos || dot == 0 ? baseName.size() : dot;
    return std::string(baseName.substr(0, cut)) + "." + std::to_string(number) +
           std::string(baseName.substr(cut));
}

// Claims the name by creating its info file exclusively, as the trash convention asks.
int WriteInfoFile(const std::string& infoPath, const std::string& originalPath) {
    const int file = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file < 0) {
        return errno;
    }
    const std::string content = "[Trash Info]\nPath=" + PercentEncoded(originalPath) +
                                "\nDeletionDate=" + DeletionDate() + "\n";
    const bool written =
        ::write(file, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    const int error = written ? 0 : (errno != 0 ? errno : EIO);
    ::close(file);
    if (error != 0) {
        ::unlink(infoPath.c_str());
    }
    return error;
}

int CopyThenRemove(const std::string& source, const std::string& target) {
    std::error_code error;
    fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    if (!error) {
        fs::remove_all(source, error);
    }
    if (error) {
        std::error_code ignored;
        fs::remove_all(target, ignored);
        return error.value();
    }
    return 0;
}

int MoveWithoutReplacing(const std::string& source, const std::string& target) {
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    const int error = errno;
    struct stat existing {};
    if (error == EXDEV || error == EINVAL) {
        // Another file system, or one that cannot rename without replacing: check, then move.
        if (::lstat(target.c_str(), &existing) == 0) {
            return EEXIST;
        }
        if (error == EXDEV) {
            return CopyThenRemove(source, target);
        }
        return ::rename(source.c_str(), target.c_str()) == 0 ? 0 : errno;
    }
    return error;
}

}  // namespace

int MoveToTrash(const std::string& path) {
    if (path.empty()) {
        return ENOENT;
    }
    const std::string original = AbsolutePath(path);
    const std::string_view baseName = BaseNameOf(original);
    if (baseName.empty()) {
        return EINVAL;
    }
    struct stat info {};
    if (::lstat(original.c_str(), &info) != 0) {
        return errno;
    }
    const std::string trash = TrashFolder();
    if (trash.empty()) {
        return ENOENT;
    }
    for (const std::string& folder : {trash + "/files", trash + "/info"}) {
        // A fresh account may have no data folder yet; the trash is the user's alone.
        if (const int error = MakeFolders(folder, 0700); error != 0) {
            return error;
        }
    }
    for (int number = 1; number <= MaxNameTries; ++number) {
        const std::string name = CandidateName(baseName, number);
        const std::string infoPath = trash + "/info/" + name + ".trashinfo";
        const int claimed = WriteInfoFile(infoPath, original);
        if (claimed == EEXIST) {
            continue;
        }
        if (claimed != 0) {
            return claimed;
        }
        const int moved = MoveWithoutReplacing(original, trash + "/files/" + name);
        if (moved == 0) {
            return 0;
        }
        ::unlink(infoPath.c_str());
        if (moved != EEXIST && moved != ENOTEMPTY) {
            return moved;
        }
    }
    return EEXIST;
}

}  // namespace kestrun
