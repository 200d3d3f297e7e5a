#include "ui/command_router.h"

#include <QActionGroup>

namespace kestrun {

// An unchecked item shows no mark at all, as the item of a plain menu would.
void CommandUI::SetCheck(bool on) {
    if (item_ == nullptr) {
        return;
    }
    item_->setActionGroup(nullptr);
    item_->setCheckable(on);
    item_->setChecked(on);
}

void CommandUI::SetRadio(bool on) {
    if (item_ == nullptr) {
        return;
    }
    if (!on) {
        SetCheck(false);
        return;
    }
    // Menus draw the round mark for items of an exclusive group.
    if (item_->actionGroup() == nullptr) {
        auto* group = new QActionGroup(item_);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        item_->setActionGroup(group);
    }
    item_->setCheckable(true);
    item_->setChecked(true);
}

void CommandUI::SetText(const QString& text) {
    if (item_ != nullptr) {
        item_->setText(text);
    }
}

void CommandRouter::OnCommand(int commandId, Handler handler) {
    commands_[commandId] = std::move(handler);
}

void CommandRouter::OnNotify(int controlId, ControlNotification notification, Handler handler) {
    notifications_[{controlId, notification}] = std::move(handler);
}

void CommandRouter::OnUpdate(int commandId, UpdateHandler handler) {
    updates_[commandId] = std::move(handler);
}

bool CommandRouter::Route(int commandId) const {
    const auto found = commands_.find(commandId);
    if (found == commands_.end()) {
        return false;
    }
    found->second();
    return true;
}

bool CommandRouter::RouteNotification(int controlId, ControlNotification notification) const {
    const auto found = notifications_.find({controlId, notification});
    if (found == notifications_.end()) {
        return false;
    }
    found->second();
    return true;
}

bool CommandRouter::Update(CommandUI& item) const {
    const auto found = updates_.find(item.CommandId());
    if (found == updates_.end()) {
        return false;
    }
    found->second(item);
    return true;
}

}  // namespace kestrun
