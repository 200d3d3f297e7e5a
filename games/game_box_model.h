#pragma once

#include <string>
#include <string_view>

namespace kestrun {

// The game box as the history rules see it: an unsorted list of texts plus the edit text.
// The widget implements it over its own items; positions count from 0 at the top.
class GameBoxModel {
  public:
    virtual ~GameBoxModel() = default;

    virtual int Count() const = 0;
    virtual std::string ItemText(int position) const = 0;
    // Inserts before position; -1 or a position past the end appends. Returns where it went.
    virtual int InsertItem(int position, std::string_view text) = 0;
    virtual void DeleteItem(int position) = 0;
    // Makes position the current item, so that the box shows that item's own text.
    virtual void SelectItem(int position) = 0;
    virtual std::string Text() const = 0;
    virtual void SetText(std::string_view text) = 0;
};

}  // namespace kestrun
