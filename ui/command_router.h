#pragma once

#include <QAction>
#include <QString>
#include <functional>
#include <map>
#include <utility>

namespace kestrun {

enum class ControlNotification {
    DropDown,  // a combo box's list is about to open
};

// What an update handler may change on the menu item it is offered. Offered without an item
// (for a submenu's title), every change is ignored.
class CommandUI {
  public:
    CommandUI(int commandId, QAction* item) : commandId_(commandId), item_(item) {}

    int CommandId() const { return commandId_; }
    void SetCheck(bool on);
    // A round radio mark instead of a tick.
    void SetRadio(bool on);
    void SetText(const QString& text);

  private:
    int commandId_;
    QAction* item_;
};

// One command id, one handler: a button click, its menu item and its accelerator all reach
// the handler registered under that id.
class CommandRouter {
  public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CommandUI&)>;

    void OnCommand(int commandId, Handler handler);
    void OnNotify(int controlId, ControlNotification notification, Handler handler);
    void OnUpdate(int commandId, UpdateHandler handler);

    // Each returns false when nothing is registered for the id.
    bool Route(int commandId) const;
    bool RouteNotification(int controlId, ControlNotification notification) const;
    bool Update(CommandUI& item) const;

  private:
    std::map<int, Handler> commands_;
    std::map<std::pair<int, ControlNotification>, Handler> notifications_;
    std::map<int, UpdateHandler> updates_;
};

}  // namespace kestrun
