#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/profile_store.h"

namespace kestrun::testing {

// An in-memory profile that remembers which keys were read and written, in order.
class MemoryProfileStore final : public ProfileStore {
  public:
    int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) override;
    void WriteProfileInt(std::string_view section, std::string_view key, int value) override;
    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) override;
    void WriteProfileString(std::string_view section, std::string_view key,
                            std::string_view value) override;
    void RemoveProfileEntry(std::string_view section, std::string_view key) override;
    void BeginWriteBatch() override { ++batchDepth_; }
    void EndWriteBatch() override;

    // Stored values as text ("-1", "pacman"), keyed by "section/key".
    const std::map<std::string, std::string>& Values() const { return values_; }
    bool Has(std::string_view key) const;
    // Keys (without section) in the order they were read or written.
    const std::vector<std::string>& Reads() const { return reads_; }
    const std::vector<std::string>& Writes() const { return writes_; }
    // How often the store would have written its file: once per write outside a batch, once
    // per batch with writes.
    int Stores() const { return stores_; }
    void ClearLog();

  private:
    static std::string Path(std::string_view section, std::string_view key);
    void Wrote(std::string_view key);

    std::map<std::string, std::string> values_;
    std::vector<std::string> reads_;
    std::vector<std::string> writes_;
    int batchDepth_ = 0;
    bool batchWrote_ = false;
    int stores_ = 0;
};

}  // namespace kestrun::testing
