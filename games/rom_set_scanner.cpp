#include "games/rom_set_scanner.h"

#include <dirent.h>

#include <optional>

#include "games/ascii_case.h"
#include "games/folder_stamp.h"
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

// Lists the folder afresh; the stamp is taken first, so a change during the listing shows.
RomSetPaths ListRomSets(const std::string& folder) {
    RomSetPaths list(folder, StampFolder(folder));
    DirectoryListing listing(folder);
    while (const char* entry = listing.Next()) {
        const std::string_view name(entry);
        // A path cut short would name another file; such an entry is left out instead.
        if (HasRomSetEnding(name) && folder.size() + name.size() <= MaxPathLength &&
            !list.Add(name)) {
            break;
        }
    }
    list.Sort();
    return list;
}

bool ListStillHolds(const RomSetPaths& list, const std::string& folder) {
    if (list.Folder() != folder || !list.Stamp()) {
        return false;
    }
    const std::optional<FolderStamp> now = StampFolder(folder);
    return now && ListingStillHolds(*list.Stamp(), *now);
}

}  // namespace

void ScanRomSets(std::string_view path, RomSetState& state) {
    const std::string folder = FolderOf(path);
    if (!ListStillHolds(state.RomSetList, folder)) {
        // The old list goes first, so that the two never take memory together.
        state.RomSetList.clear();
        state.RomSetList = ListRomSets(folder);
    }
    if (const std::optional<std::size_t> at = state.RomSetList.Find(BaseNameOf(path))) {
        state.CurrentRomIndex = static_cast<int>(*at);
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
