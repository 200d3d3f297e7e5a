#pragma once

#include <QSettings>

#include "platform/message_box.h"
#include "platform/profile_store.h"

namespace kestrun {

// The profile in ~/.config/Pellworth/<application>.ini. Each store replaces the file through
// Qt's atomic save, so a killed process leaves either the old or the new file. The first store
// that fails is reported to the user, naming the file and the reason; later ones are not.
class QtProfileStore final : public ProfileStore {
  public:
    QtProfileStore(const QString& applicationName, MessageBoxService& messages);

    int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) override;
    void WriteProfileInt(std::string_view section, std::string_view key, int value) override;
    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) override;
    void WriteProfileString(std::string_view section, std::string_view key,
                            std::string_view value) override;
    void RemoveProfileEntry(std::string_view section, std::string_view key) override;
    void BeginWriteBatch() override;
    void EndWriteBatch() override;

    QString FileName() const { return settings_.fileName(); }

  private:
    // Writes the file unless a batch holds the changes back.
    void Store();
    void ReportFailure();

    QSettings settings_;
    MessageBoxService& messages_;
    int batchDepth_ = 0;
    bool failureReported_ = false;
};

}  // namespace kestrun
