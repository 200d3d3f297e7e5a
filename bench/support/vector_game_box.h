#pragma once

#include <string>
#include <vector>

#include "games/game_box_model.h"

namespace kestrun::testing {

// A game box of plain strings that behaves as the combo box does: selecting an item shows its
// text.
class VectorGameBox final : public GameBoxModel {
  public:
    int Count() const override { return static_cast<int>(items.size()); }
    std::string ItemText(int position) const override { return items.at(position); }
    int InsertItem(int position, std::string_view text) override {
        if (position < 0 || position > Count()) {
            position = Count();
        }
        items.insert(items.begin() + position, std::string(text));
        return position;
    }
    void DeleteItem(int position) override { items.erase(items.begin() + position); }
    void SelectItem(int position) override {
        selected = position;
        text = items.at(position);
    }
    std::string Text() const override { return text; }
    void SetText(std::string_view value) override { text = value; }

    std::vector<std::string> items;
    int selected = -1;
    std::string text;
};

}  // namespace kestrun::testing
