#include "tests/support/memory_profile_store.h"

#include <charconv>
#include <utility>

namespace kestrun::testing {

std::string MemoryProfileStore::Path(std::string_view section, std::string_view key) {
    return std::string(section) + "/" + std::string(key);
}

int MemoryProfileStore::GetProfileInt(std::string_view section, std::string_view key,
                                      int defaultValue) {
    reads_.emplace_back(key);
    const auto found = values_.find(Path(section, key));
    if (found == values_.end()) {
        return defaultValue;
    }
    int number = 0;
    const std::string& text = found->second;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() ? number : defaultValue;
}

void MemoryProfileStore::WriteProfileInt(std::string_view section, std::string_view key,
                                         int value) {
    Wrote(key);
    values_[Path(section, key)] = std::to_string(value);
}

std::string MemoryProfileStore::GetProfileString(std::string_view section, std::string_view key,
                                                 std::string_view defaultValue) {
    reads_.emplace_back(key);
    const auto found = values_.find(Path(section, key));
    return found == values_.end() ? std::string(defaultValue) : found->second;
}

void MemoryProfileStore::WriteProfileString(std::string_view section, std::string_view key,
                                            std::string_view value) {
    Wrote(key);
    values_[Path(section, key)] = std::string(value);
}

void MemoryProfileStore::RemoveProfileEntry(std::string_view section, std::string_view key) {
    Wrote(key);
    values_.erase(Path(section, key));
}

void MemoryProfileStore::EndWriteBatch() {
    if (--batchDepth_ == 0 && std::exchange(batchWrote_, false)) {
        ++stores_;
    }
}

void MemoryProfileStore::Wrote(std::string_view key) {
    writes_.emplace_back(key);
    if (batchDepth_ > 0) {
        batchWrote_ = true;
    } else {
        ++stores_;
    }
}

bool MemoryProfileStore::Has(std::string_view key) const {
    return values_.count(Path(ProfileSection, key)) != 0;
}

void MemoryProfileStore::ClearLog() {
    reads_.clear();
    writes_.clear();
    stores_ = 0;
}

}  // namespace kestrun::testing
