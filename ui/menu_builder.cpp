#include "ui/menu_builder.h"

namespace kestrun {

namespace {

struct MenuCallbacks {
    std::function<void(int)> onCommand;
    std::function<void(QMenu&)> onOpen;
};

void AddItem(const MenuItemTemplate& item, QMenu& menu, const MenuCallbacks& callbacks,
             BuiltMenu& built) {
    QAction* action = menu.addAction(QString::fromStdString(item.text));
    const int id = item.commandId;
    action->setData(id);
    QObject::connect(action, &QAction::triggered, action,
                     [onCommand = callbacks.onCommand, id] { onCommand(id); });
    built.items.emplace(id, action);
}

QMenu* MakeMenu(const MenuItemTemplate& entry, QWidget& parent, const MenuCallbacks& callbacks,
                BuiltMenu& built) {
    auto* menu = new QMenu(QString::fromStdString(entry.text), &parent);
    for (const MenuItemTemplate& item : entry.submenu) {
        if (item.separator) {
            menu->addSeparator();
        } else if (!item.submenu.empty()) {
            menu->addMenu(MakeMenu(item, *menu, callbacks, built));
        } else {
            AddItem(item, *menu, callbacks, built);
        }
    }
    QObject::connect(menu, &QMenu::aboutToShow, menu,
                     [onOpen = callbacks.onOpen, menu] { onOpen(*menu); });
    return menu;
}

}  // namespace

BuiltMenu BuildMenuBar(const MenuTemplate& menuTemplate, QWidget& parent,
                       const std::function<void(int)>& onCommand,
                       const std::function<void(QMenu&)>& onOpen) {
    const MenuCallbacks callbacks{onCommand, onOpen};
    BuiltMenu built;
    built.bar = new QMenuBar(&parent);
    // Menus placed at the right end live in a second bar in the first one's corner.
    QMenuBar* rightBar = nullptr;
    for (std::size_t i = 0; i < menuTemplate.menus.size(); ++i) {
        const bool right = menuTemplate.firstRightAligned >= 0 &&
                           i >= static_cast<std::size_t>(menuTemplate.firstRightAligned);
        if (right && rightBar == nullptr) {
            rightBar = new QMenuBar(built.bar);
            built.bar->setCornerWidget(rightBar, Qt::TopRightCorner);
        }
        QMenuBar* bar = right ? rightBar : built.bar;
        bar->addMenu(MakeMenu(menuTemplate.menus[i], *bar, callbacks, built));
    }
    return built;
}

}  // namespace kestrun
