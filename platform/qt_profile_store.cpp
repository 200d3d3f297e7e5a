#include "platform/qt_profile_store.h"

#include <limits>

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

QtProfileStore::QtProfileStore(const QString& applicationName)
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Pellworth"),
                applicationName) {}

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
    settings_.sync();
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
    settings_.sync();
}

void QtProfileStore::RemoveProfileEntry(std::string_view section, std::string_view key) {
    settings_.remove(KeyPath(section, key));
    settings_.sync();
}

}  // namespace kestrun
