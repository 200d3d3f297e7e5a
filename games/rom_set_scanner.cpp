#include "games/rom_set_scanner.h"

#include <dirent.h>

#include <algorithm>
#include <optional>

#include "games/ascii_case.h"
#include "games/rom_path.h"
#include "platform/paths.h"

namespace kestrun {
namespace {

bool HasRomSetEnding(std::string_view name) {
    return name.size() >= RomSetExtension.size() &&
           EqualsIgnoringCase(name.substr(name.size() - RomSetExtension.size()), RomSetExtension);
}

// Closes the listing on every way out.
class DirectoryListing {
  public:
    explicit DirectoryListing(const std::string& folder)
        : dir_(::opendir(folder.empty() ? "." : folder.c_str())) {}
    ~DirectoryListing() {
        if (dir_ != nullptr) {
            ::closedir(dir_);
        }
    }
    DirectoryListing(const DirectoryListing&) = delete;
    DirectoryListing& operator=(const DirectoryListing&) = delete;

    // The next name, or nullptr at the end (or when the folder could not be opened).
    const char* Next() {
        if (dir_ == nullptr) {
            return nullptr;
        }
        const dirent* entry = ::readdir(dir_);
        return entry == nullptr ? nullptr : entry->d_name;
    }

  private:
    DIR* dir_;
};

}  // namespace

void ScanRomSets(std::string_view path, RomSetState& state) {
    state.RomSetList.clear();
    const std::string folder = FolderOf(path);
    const std::string_view wanted = BaseNameOf(path);

    // Every entry shares the folder, so ordering the names orders the full paths.
    std::vector<std::string> names;
    std::optional<std::string> found;
    DirectoryListing listing(folder);
    while (const char* entry = listing.Next()) {
        const std::string_view name(entry);
        // A path cut short would name another file; such an entry is left out instead.
        if (!HasRomSetEnding(name) || folder.size() + name.size() > MaxPathLength) {
            continue;
        }
        // Where names differ only by case the one spelled exactly as asked wins.
        if (EqualsIgnoringCase(name, wanted) && (!found || name == wanted)) {
            found = name;
        }
        names.emplace_back(name);
    }

    std::sort(names.begin(), names.end(), LessIgnoringCase);

    state.RomSetList.reserve(names.size());
    for (const std::string& name : names) {
        state.RomSetList.push_back(folder + name);
    }
    if (found) {
        // Names in one folder are unique byte for byte, so the exact one marks the entry.
        auto at = std::lower_bound(names.begin(), names.end(), *found, LessIgnoringCase);
        while (*at != *found) {
            ++at;
        }
        state.CurrentRomIndex = static_cast<int>(at - names.begin());
    }
}

void StepRomSet(RomSetState& state, RomStep step) {
    const int count = state.RomSetCount();
    if (count == 0) {
        return;
    }
    int& index = state.CurrentRomIndex;
    if (step == RomStep::Previous) {
        if (index <= 0 || index > count) {
            index = count;
        }
        --index;
    } else {
        index = index >= 0 && index < count - 1 ? index + 1 : 0;
    }
    state.CurrentRomPath = state.RomSetList[static_cast<std::size_t>(index)];
}

}  // namespace kestrun
