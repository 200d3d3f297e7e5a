#pragma once

#include <QSettings>

#include "platform/profile_store.h"

namespace kestrun {

// The profile in ~/.config/Pellworth/<application>.ini. Every write is flushed at once
// through Qt's atomic save, so a killed process leaves either the old or the new file.
class QtProfileStore final : public ProfileStore {
  public:
    explicit QtProfileStore(const QString& applicationName);

    int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) override;
    void WriteProfileInt(std::string_view section, std::string_view key, int value) override;
    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) override;
    void WriteProfileString(std::string_view section, std::string_view key,
                            std::string_view value) override;
    void RemoveProfileEntry(std::string_view section, std::string_view key) override;

    QString FileName() const { return settings_.fileName(); }

  private:
    QSettings settings_;
};

}  // namespace kestrun
