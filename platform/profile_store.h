#pragma once

#include <string>
#include <string_view>

namespace kestrun {

// The one section of the profile that holds every key of the program.
inline constexpr std::string_view ProfileSection = "Kestrun";

// The per-user settings store: whole numbers and strings by section and key. An absent key
// (or a stored value that is not a number, for the whole-number reader) gives the reader's
// default. Results of writes are not reported.
class ProfileStore {
  public:
    virtual ~ProfileStore() = default;

    virtual int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) = 0;
    virtual void WriteProfileInt(std::string_view section, std::string_view key, int value) = 0;
    virtual std::string GetProfileString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) = 0;
    virtual void WriteProfileString(std::string_view section, std::string_view key,
                                    std::string_view value) = 0;
    virtual void RemoveProfileEntry(std::string_view section, std::string_view key) = 0;
};

}  // namespace kestrun
