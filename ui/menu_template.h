#pragma once

#include <string>
#include <vector>

namespace kestrun {

// One entry of a menu: a command item, a separator or a submenu. Key names follow the
// text after a tab ("&Start\tF2"); they are shown, the accelerator table does the work.
struct MenuItemTemplate {
    std::string text;
    int commandId = 0;
    bool separator = false;
    std::vector<MenuItemTemplate> submenu = {};
};

struct MenuTemplate {
    int id = 0;
    // The drop-down menus of the menu bar, left to right.
    std::vector<MenuItemTemplate> menus;
    // Index of the first drop-down menu placed at the right end of the bar; -1 for none.
    int firstRightAligned = -1;
};

inline MenuItemTemplate MenuSeparator() {
    return {.text = {}, .commandId = 0, .separator = true};
}

// Keys in Qt's portable key-sequence text ("Ctrl+O", "F2", "PgDown").
struct Accelerator {
    std::string keys;
    int commandId = 0;
};

}  // namespace kestrun
