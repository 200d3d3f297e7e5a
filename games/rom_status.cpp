#include "games/rom_status.h"

#include <algorithm>

namespace kestrun {

namespace {

constexpr int VerifiedExitCode = 0;
constexpr int MissingFilesExitCode = 2;
// Caps the list a broken or hostile output could make.
constexpr std::size_t BadFileLimit = 64;

// "pacman      : pacman.6f (4096 bytes) - NOT FOUND (puckman)" gives "pacman.6f".
std::optional<std::string> BadFileOf(std::string_view line) {
    const std::size_t verdict = line.find(" - ");
    if (verdict == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view outcome = line.substr(verdict + 3);
    if (!outcome.starts_with("NOT FOUND") && !outcome.starts_with("INCORRECT")) {
        return std::nullopt;
    }
    const std::size_t colon = line.find(" : ");
    if (colon == std::string_view::npos || colon > verdict) {
        return std::nullopt;
    }
    std::string_view file = line.substr(colon + 3, verdict - colon - 3);
    file = file.substr(0, file.find(" ("));
    if (file.empty()) {
        return std::nullopt;
    }
    return std::string(file);
}

}  // namespace

std::optional<RomStatus> ParseVerifyRoms(int exitCode, std::string_view output) {
    if (exitCode == VerifiedExitCode) {
        return RomStatus{};
    }
    if (exitCode != MissingFilesExitCode) {
        return std::nullopt;
    }
    RomStatus status{false, {}};
    while (!output.empty() && status.badFiles.size() < BadFileLimit) {
        const std::size_t end = std::min(output.find('\n'), output.size());
        if (auto file = BadFileOf(output.substr(0, end));
            file && std::find(status.badFiles.begin(), status.badFiles.end(), *file) ==
                        status.badFiles.end()) {
            status.badFiles.push_back(std::move(*file));
        }
        output.remove_prefix(std::min(end + 1, output.size()));
    }
    return status;
}

std::string RomStatusKey(std::string_view setName, std::uint64_t fileSize,
                         std::int64_t modifiedNanoseconds, std::string_view mameVersion) {
    std::string key(setName);
    key.append(1, ' ').append(std::to_string(fileSize));
    key.append(1, ' ').append(std::to_string(modifiedNanoseconds));
    key.append(1, ' ').append(mameVersion);
    return key;
}

}  // namespace kestrun
