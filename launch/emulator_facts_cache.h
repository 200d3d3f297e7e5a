#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "launch/emulator_facts.h"

namespace kestrun {

// What makes an executable the same one as last time.
struct ExecutableIdentity {
    std::string realPath;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const ExecutableIdentity&) const = default;
};

// Nothing when the file cannot be resolved or is not a regular file.
std::optional<ExecutableIdentity> IdentifyExecutable(const std::string& path);

// $XDG_CACHE_HOME/kestrun/, or ~/.cache/kestrun/ when that is not set to an absolute path;
// empty when neither is known.
std::string FactsCacheFolder();

// A cache file name for a key of any length: the prefix and a hash of the key.
std::string HashedCacheFileName(std::string_view prefix, std::string_view key);

// The text kept in the cache for the facts of one executable, and its reading back: nothing
// unless the text is well formed and was written for exactly that identity.
std::string SerializeFacts(const ExecutableIdentity& identity, const EmulatorFacts& facts);
std::optional<EmulatorFacts> ParseCachedFacts(std::string_view text,
                                              const ExecutableIdentity& identity);

// One file per executable in the cache folder (which ends with a separator; empty: no cache).
std::optional<EmulatorFacts> LoadCachedFacts(const std::string& cacheFolder,
                                             const ExecutableIdentity& identity);
void StoreCachedFacts(const std::string& cacheFolder, const ExecutableIdentity& identity,
                      const EmulatorFacts& facts);

}  // namespace kestrun
