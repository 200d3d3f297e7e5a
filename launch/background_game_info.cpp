#include "launch/background_game_info.h"

#include <sys/stat.h>

#include <charconv>
#include <filesystem>
#include <utility>

#include "launch/background_job.h"
#include "launch/emulator_facts_cache.h"
#include "launch/emulator_query.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"

namespace kestrun {

namespace {

// MAME 0.251 lists 45,000 systems in 2.5 MB; room for several times that.
constexpr QueryLimits ListingLimits{std::chrono::seconds(30), 16 * 1024 * 1024};
constexpr QueryLimits VerifyLimits{std::chrono::seconds(20), 256 * 1024};
constexpr std::size_t MaxStatusFileSize = 256 * 1024;
constexpr std::string_view StatusFirstLine = "kestrun rom status 1";

template <typename Result, typename Work>
std::shared_ptr<BackgroundJob<Result>> StartJob(Work work) {
    return std::make_shared<BackgroundJob<Result>>(std::move(work));
}

// A finished job's result, once: the job is let go with it.
template <typename Result>
std::optional<Result> TakeResult(std::shared_ptr<BackgroundJob<Result>>& job) {
    if (!job || !job->Finished()) {
        return std::nullopt;
    }
    std::optional<Result> result = std::move(job->Get());
    job.reset();
    return result;
}

void StoreInCache(const std::string& cacheFolder, const std::string& fileName,
                  std::string_view text) {
    if (cacheFolder.empty()) {
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(cacheFolder, ignored);
    WriteFileAtomically(cacheFolder + fileName, text, 0600);
}

// The version goes into a file name, so only a plain version number is cached.
bool PlainVersion(std::string_view version) {
    return !version.empty() && version.find_first_not_of("0123456789.") == std::string_view::npos;
}

std::shared_ptr<const GameNames> LoadNames(const std::string& executable, const std::string& folder,
                                           const std::string& version,
                                           const std::string& cacheFolder, int cancelFd) {
    const bool cached = !cacheFolder.empty() && PlainVersion(version);
    const std::string fileName = "names-" + version;
    if (cached) {
        if (const auto text = ReadFileUpTo(cacheFolder + fileName, ListingLimits.outputBytes)) {
            return std::make_shared<const GameNames>(GameNames::Parse(*text));
        }
    }
    const QueryResult listing =
        QueryEmulator(executable, "-listfull", folder, ListingLimits, cancelFd);
    // A listing cut short by a limit or a failure is used as far as it goes, but not kept.
    if (cached && listing.finished && listing.status == 0 &&
        listing.output.size() < ListingLimits.outputBytes) {
        StoreInCache(cacheFolder, fileName, listing.output);
    }
    return std::make_shared<const GameNames>(GameNames::Parse(listing.output));
}

std::string SerializeStatus(std::string_view key, const RomStatus& status) {
    std::string text(StatusFirstLine);
    text.append("\n").append(key).append(status.complete ? "\ncomplete\n" : "\nincomplete\n");
    for (const std::string& file : status.badFiles) {
        text.append(file).append("\n");
    }
    return text;
}

}  // namespace

std::optional<RomStatus> ParseCachedStatus(std::string_view text, std::string_view key) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    if (lines.size() < 3 || lines[0] != StatusFirstLine || lines[1] != key ||
        (lines[2] != "complete" && lines[2] != "incomplete")) {
        return std::nullopt;
    }
    RomStatus status{lines[2] == "complete", {}};
    for (std::size_t i = 3; i < lines.size(); ++i) {
        status.badFiles.emplace_back(lines[i]);
    }
    return status;
}

namespace {

std::optional<RomStatus> CheckSet(const std::string& executable, const std::string& folder,
                                  const std::string& version, const std::string& setName,
                                  const std::string& setFile, const std::string& cacheFolder,
                                  int cancelFd) {
    struct stat info {};
    if (::stat(setFile.c_str(), &info) != 0) {
        return std::nullopt;
    }
    const std::string key = RomStatusKey(
        setName, static_cast<std::uint64_t>(info.st_size),
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
        version);
    const std::string fileName = HashedCacheFileName("status-", key);
    if (!cacheFolder.empty()) {
        if (const auto text = ReadFileUpTo(cacheFolder + fileName, MaxStatusFileSize)) {
            if (auto status = ParseCachedStatus(*text, key)) {
                return status;
            }
        }
    }
    const std::string setFolder = std::filesystem::path(setFile).parent_path().string();
    const QueryResult verified =
        QueryEmulator(executable, {"-verifyroms", setName, "-rompath", setFolder}, folder,
                      VerifyLimits, cancelFd);
    std::optional<RomStatus> status =
        verified.finished ? ParseVerifyRoms(verified.status, verified.output) : std::nullopt;
    if (status && key.find('\n') == std::string::npos) {
        StoreInCache(cacheFolder, fileName, SerializeStatus(key, *status));
    }
    return status;
}

}  // namespace

BackgroundGameInfo::BackgroundGameInfo(std::string cacheFolder)
    : cacheFolder_(std::move(cacheFolder)) {}

BackgroundGameInfo::~BackgroundGameInfo() = default;

void BackgroundGameInfo::RequestNames(const std::string& executable, const std::string& folder,
                                      const std::string& version) {
    names_ = StartJob<std::shared_ptr<const GameNames>>(
        [executable, folder, version, cache = cacheFolder_](int cancelFd) {
            return LoadNames(executable, folder, version, cache, cancelFd);
        });
}

std::shared_ptr<const GameNames> BackgroundGameInfo::TakeNames() {
    return TakeResult(names_).value_or(nullptr);
}

void BackgroundGameInfo::RequestStatus(const std::string& executable, const std::string& folder,
                                       const std::string& version, const std::string& setName,
                                       const std::string& setFile) {
    // The older job's program is killed and its thread joined before the newer one starts.
    status_.reset();
    status_ = StartJob<SetStatus>(
        [executable, folder, version, setName, setFile, cache = cacheFolder_](int cancelFd) {
            return SetStatus{
                setName, CheckSet(executable, folder, version, setName, setFile, cache, cancelFd)};
        });
}

std::optional<BackgroundGameInfo::SetStatus> BackgroundGameInfo::TakeStatus() {
    return TakeResult(status_);
}

}  // namespace kestrun
