#pragma once

#include <string>
#include <string_view>

namespace kestrun {

// The one section of the profile that holds every key of the program.
inline constexpr std::string_view ProfileSection = "Kestrun";

// The per-user settings store: whole numbers and strings by section and key. An absent key
// (or a stored value that is not a number, for the whole-number reader) gives the reader's
// default. Results of writes are not returned to the caller.
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

    // Outside a batch every write is stored at once. Writes made within a batch are read back
    // as usual but stored together when the outermost batch ends. Use ProfileWriteBatch.
    virtual void BeginWriteBatch() = 0;
    virtual void EndWriteBatch() = 0;
};

// Holds the profile's writes back for its lifetime and stores them all when it ends.
class ProfileWriteBatch {
  public:
    explicit ProfileWriteBatch(ProfileStore& profile) : profile_(profile) {
        profile_.BeginWriteBatch();
    }
    ~ProfileWriteBatch() { profile_.EndWriteBatch(); }
    ProfileWriteBatch(const ProfileWriteBatch&) = delete;
    ProfileWriteBatch& operator=(const ProfileWriteBatch&) = delete;

  private:
    ProfileStore& profile_;
};

}  // namespace kestrun
