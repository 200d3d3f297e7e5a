#include "platform/qt_profile_store.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/atomic_file.h"

namespace kestrun {
namespace {

QString KeyPath(std::string_view section, std::string_view key) {
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + '/' +
           QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtProfileStore::QtProfileStore(const QString& applicationName, MessageBoxService& messages)
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Pellworth"),
                applicationName),
      messages_(messages) {}

int QtProfileStore::GetProfileInt(std::string_view section, std::string_view key,
                                  int defaultValue) {
    const QVariant stored = settings_.value(KeyPath(section, key));
    if (!stored.isValid()) {
        return defaultValue;
    }
    bool isNumber = false;
    const qlonglong number = stored.toString().trimmed().toLongLong(&isNumber);
    if (!isNumber || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max()) {
        return defaultValue;
    }
    return static_cast<int>(number);
}

void QtProfileStore::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    settings_.setValue(KeyPath(section, key), value);
    Store();
}

std::string QtProfileStore::GetProfileString(std::string_view section, std::string_view key,
                                             std::string_view defaultValue) {
    const QVariant stored = settings_.value(KeyPath(section, key));
    if (!stored.isValid()) {
        return std::string(defaultValue);
    }
    return stored.toString().toStdString();
}

void QtProfileStore::WriteProfileString(std::string_view section, std::string_view key,
                                        std::string_view value) {
    settings_.setValue(KeyPath(section, key), ToQString(value));
    Store();
}

void QtProfileStore::RemoveProfileEntry(std::string_view section, std::string_view key) {
    settings_.remove(KeyPath(section, key));
    Store();
}

void QtProfileStore::BeginWriteBatch() {
    ++batchDepth_;
}

void QtProfileStore::EndWriteBatch() {
    --batchDepth_;
    Store();
}

void QtProfileStore::Store() {
    if (batchDepth_ > 0) {
        return;
    }
    settings_.sync();
    if (settings_.status() == QSettings::AccessError && !failureReported_) {
        failureReported_ = true;
        ReportFailure();
    }
}

// Qt does not say why the file could not be written, so the steps of a replacement are tried
// again to find out.
void QtProfileStore::ReportFailure() {
    const std::string file = FileName().toStdString();
    const int reason = ReplacementProblem(file);
    MessageBoxRequest message;
    message.text = "Could not save the settings to " + file + ": " +
                   std::strerror(reason != 0 ? reason : EIO) + ".";
    message.caption = "Kestrun";
    message.icon = MessageIcon::Exclamation;
    messages_.Show(message);
}

}  // namespace kestrun
