#include "launch/emulator_facts_cache.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace kestrun {
namespace {

constexpr std::string_view FirstLine = "kestrun emulator facts 1";
// Far more than any emulator lists; a bigger file is not ours.
constexpr std::size_t MaxCacheFileSize = 1024 * 1024;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

// Reads "<key> <value>" lines in order; false at the first line that breaks the format.
class CacheReader {
  public:
    explicit CacheReader(std::string_view text) : rest_(text) {}

    bool Line(std::string_view& key, std::string_view& value) {
        const auto end = rest_.find('\n');
        if (end == std::string_view::npos) {
            return false;
        }
        const std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        const auto blank = line.find(' ');
        key = line.substr(0, blank);
        value = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
        return true;
    }
    bool AtEnd() const { return rest_.empty(); }

  private:
    std::string_view rest_;
};

bool ReadIdentity(CacheReader& reader, const ExecutableIdentity& identity) {
    std::string_view key, value;
    ExecutableIdentity stored;
    if (!reader.Line(key, value) || key != "path") {
        return false;
    }
    stored.realPath = value;
    if (!reader.Line(key, value) || key != "size" || !ParseNumber(value, stored.size) ||
        !reader.Line(key, value) || key != "modified" || !ParseNumber(value, stored.modifiedNs)) {
        return false;
    }
    return stored == identity;
}

}  // namespace

// FNV-1a: the file name only spreads the keys; the file itself names its key.
std::string HashedCacheFileName(std::string_view prefix, std::string_view key) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : key) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return std::string(prefix) + digits;
}

std::optional<ExecutableIdentity> IdentifyExecutable(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat info {};
    if (::realpath(path.c_str(), resolved) == nullptr || ::stat(resolved, &info) != 0 ||
        !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return ExecutableIdentity{
        resolved, static_cast<std::uint64_t>(info.st_size),
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

std::string FactsCacheFolder() {
    std::string cache = Environment("XDG_CACHE_HOME");
    if (!IsAbsolutePath(cache)) {
        const std::string home = Environment("HOME");
        if (home.empty()) {
            return {};
        }
        cache = home + "/.cache";
    }
    return cache + "/kestrun/";
}

std::string SerializeFacts(const ExecutableIdentity& identity, const EmulatorFacts& facts) {
    std::string text(FirstLine);
    const auto line = [&text](std::string_view key, std::string_view value) {
        text.append("\n").append(key).append(" ").append(value);
    };
    line("path", identity.realPath);
    line("size", std::to_string(identity.size));
    line("modified", std::to_string(identity.modifiedNs));
    line("version", facts.version);
    for (const std::string& option : facts.options) {
        line("option", option);
    }
    for (const auto& [name, value] : facts.searchPaths) {
        line("searchpath", name + " " + value);
    }
    return text + "\n";
}

std::optional<EmulatorFacts> ParseCachedFacts(std::string_view text,
                                              const ExecutableIdentity& identity) {
    if (!text.starts_with(FirstLine) || !text.substr(FirstLine.size()).starts_with("\n")) {
        return std::nullopt;
    }
    CacheReader reader(text.substr(FirstLine.size() + 1));
    std::string_view key, value;
    if (!ReadIdentity(reader, identity) || !reader.Line(key, value) || key != "version") {
        return std::nullopt;
    }
    EmulatorFacts facts;
    facts.version = value;
    while (!reader.AtEnd()) {
        if (!reader.Line(key, value)) {
            return std::nullopt;
        }
        if (key == "option" && !value.empty()) {
            facts.options.emplace_back(value);
        } else if (const auto blank = value.find(' ');
                   key == "searchpath" && blank != std::string_view::npos) {
            facts.searchPaths.insert_or_assign(std::string(value.substr(0, blank)),
                                               std::string(value.substr(blank + 1)));
        } else {
            return std::nullopt;
        }
    }
    // Lookups rely on the order, so a file that lost it is not trusted.
    if (!std::is_sorted(facts.options.begin(), facts.options.end())) {
        return std::nullopt;
    }
    return facts;
}

std::optional<EmulatorFacts> LoadCachedFacts(const std::string& cacheFolder,
                                             const ExecutableIdentity& identity) {
    if (cacheFolder.empty()) {
        return std::nullopt;
    }
    const std::optional<std::string> text = ReadFileUpTo(
        cacheFolder + HashedCacheFileName("facts-", identity.realPath), MaxCacheFileSize);
    return text ? ParseCachedFacts(*text, identity) : std::nullopt;
}

void StoreCachedFacts(const std::string& cacheFolder, const ExecutableIdentity& identity,
                      const EmulatorFacts& facts) {
    // A name with a line break could not be read back; such an emulator is simply asked again.
    if (cacheFolder.empty() || identity.realPath.find('\n') != std::string::npos) {
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(cacheFolder, ignored);
    WriteFileAtomically(cacheFolder + HashedCacheFileName("facts-", identity.realPath),
                        SerializeFacts(identity, facts), 0600);
}

}  // namespace kestrun
