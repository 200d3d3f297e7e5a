#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun {

// Whether a set's files are complete, as MAME's `-verifyroms <set>` tells.
struct RomStatus {
    bool complete = true;
    // The files MAME could not find or found wrong; empty when the whole set is missing.
    std::vector<std::string> badFiles;

    bool operator==(const RomStatus&) const = default;
};

// Reads what `-verifyroms` wrote and how it ended: 0 is a complete set ("good" or "best
// available"), 2 an incomplete one with a line "<set> : <file> (<n> bytes) - NOT FOUND" or
// "- INCORRECT ..." for each bad file. Any other end (an unknown system, a crash) tells
// nothing.
std::optional<RomStatus> ParseVerifyRoms(int exitCode, std::string_view output);

// What a verification depends on: the set file as it is now and the MAME that checked it.
std::string RomStatusKey(std::string_view setName, std::uint64_t fileSize,
                         std::int64_t modifiedNanoseconds, std::string_view mameVersion);

}  // namespace kestrun
