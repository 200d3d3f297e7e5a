#include "platform/qt_shell.h"

#include <QApplication>
#include <QDesktopServices>

#include "platform/file_system.h"
#include "platform/paths.h"

namespace kestrun {

namespace {

std::optional<QUrl> ExistingLocalDocument(const std::string& path) {
    if (!IsAbsolutePath(path) || !(FileExists(path) || FolderExists(path))) {
        return std::nullopt;
    }
    return QUrl::fromLocalFile(QString::fromStdString(path));
}

}  // namespace

std::optional<QUrl> DesktopUrlFor(const std::string& target) {
    if (IsAbsolutePath(target)) {
        return ExistingLocalDocument(target);
    }
    const QUrl url(QString::fromStdString(target), QUrl::StrictMode);
    if (!url.isValid() || url.isRelative()) {
        return std::nullopt;
    }
    if (url.isLocalFile()) {
        return ExistingLocalDocument(url.toLocalFile().toStdString());
    }
    return url;
}

bool QtShell::Open(const std::string& target) {
    const std::optional<QUrl> url = DesktopUrlFor(target);
    return url.has_value() && QDesktopServices::openUrl(*url);
}

void QtShell::Beep() {
    QApplication::beep();
}

}  // namespace kestrun
