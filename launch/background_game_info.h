#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "games/game_names.h"
#include "games/rom_status.h"

namespace kestrun {

template <typename Result>
class BackgroundJob;

// What a current MAME says about the games, learnt on threads of their own and kept in the
// cache folder: the full names of all systems (once per MAME version) and whether one set's
// files are complete (once per set file and version). The window's thread never waits: it
// asks, then takes the answer once it is there.
class BackgroundGameInfo {
  public:
    // cacheFolder ends with a separator; empty keeps nothing between runs.
    explicit BackgroundGameInfo(std::string cacheFolder);
    // Stops the queries under way (their programs are killed) and waits for the threads.
    ~BackgroundGameInfo();
    BackgroundGameInfo(const BackgroundGameInfo&) = delete;
    BackgroundGameInfo& operator=(const BackgroundGameInfo&) = delete;

    void RequestNames(const std::string& executable, const std::string& folder,
                      const std::string& version);
    // The names once, when they have been loaded; nothing before and after.
    std::shared_ptr<const GameNames> TakeNames();

    // Checks one set's file (a path); a newer request stops an older one.
    void RequestStatus(const std::string& executable, const std::string& folder,
                       const std::string& version, const std::string& setName,
                       const std::string& setFile);
    struct SetStatus {
        std::string setName;
        std::optional<RomStatus> status;  // nothing when MAME could not tell
    };
    // The answer once, when the last request has finished.
    std::optional<SetStatus> TakeStatus();

  private:
    std::string cacheFolder_;
    std::shared_ptr<BackgroundJob<std::shared_ptr<const GameNames>>> names_;
    std::shared_ptr<BackgroundJob<SetStatus>> status_;
};

// The cached text of a set's status: nothing unless it is whole and was written for this key.
std::optional<RomStatus> ParseCachedStatus(std::string_view text, std::string_view key);

}  // namespace kestrun
