#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "games/folder_stamp.h"

namespace kestrun {

// The full paths of one folder's ROM sets in ROM set order, kept compactly: the names sit in
// one block, each ended by a zero byte, and the order is a list of offsets into it. A full
// path is put together only when it is asked for.
class RomSetPaths {
  public:
    RomSetPaths() = default;
    // An empty list of the given folder (ending with a separator; empty for the current one),
    // which looked as stamped when its listing began.
    RomSetPaths(std::string folder, std::optional<FolderStamp> stamp);

    // Adds a name at the end; false, with nothing added, once the list holds MaxEntries.
    bool Add(std::string_view name);
    // Puts the names in ROM set order: unsigned bytes after mapping A-Z to a-z, a prefix
    // before the longer name; names equal but for case in byte order.
    void Sort();

    std::size_t size() const { return starts_.size(); }
    bool empty() const { return starts_.empty(); }
    void clear() { *this = RomSetPaths(); }

    // The full path of entry i.
    std::string operator[](std::size_t i) const { return folder_ + std::string(NameAt(i)); }
    std::string_view NameAt(std::size_t i) const { return names_.data() + starts_[i]; }
    const std::string& Folder() const { return folder_; }
    const std::optional<FolderStamp>& Stamp() const { return stamp_; }

    // The position of the entry whose name equals name ignoring case; among several, the one
    // spelled exactly so, else the first. The list must be sorted.
    std::optional<std::size_t> Find(std::string_view name) const;

    // Enough for every machine an emulator knows many times over; the offsets stay 32-bit.
    static constexpr std::size_t MaxEntries = std::size_t{1} << 20;

  private:
    std::string folder_;
    std::optional<FolderStamp> stamp_;
    std::string names_;
    std::vector<std::uint32_t> starts_;
};

}  // namespace kestrun
