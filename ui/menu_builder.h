#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <functional>
#include <map>

#include "ui/menu_template.h"

namespace kestrun {

struct BuiltMenu {
    QMenuBar* bar = nullptr;
    std::map<int, QAction*> items;  // command items by command id
};

// Makes the menu bar of a template as a child of parent. Choosing an item calls onCommand with
// its id; onOpen is called with each drop-down menu or submenu as it opens.
BuiltMenu BuildMenuBar(const MenuTemplate& menuTemplate, QWidget& parent,
                       const std::function<void(int)>& onCommand,
                       const std::function<void(QMenu&)>& onOpen);

}  // namespace kestrun
