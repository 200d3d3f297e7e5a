#include "app/launcher_start_host.h"

#include "app/launcher_dialog.h"
#include "res/resource_ids.h"

namespace kestrun {

LaunchOptions LauncherStartHost::ReadBackOptions() {
    dialog_.UpdateData(true);
    return dialog_.Options();
}

std::string LauncherStartHost::GameText() const {
    return dialog_.GetDlgItemText(ids::GameBox).toStdString();
}

std::string LauncherStartHost::ControllerText() const {
    return dialog_.GetDlgItemText(ids::ControllerList).toStdString();
}

std::string LauncherStartHost::ResolutionText() const {
    return dialog_.GetDlgItemText(ids::ResolutionList).toStdString();
}

void LauncherStartHost::InsertIntoHistory(std::string_view gameText) {
    dialog_.GameBox().InsertItem(gameText);
}

void LauncherStartHost::HideWindow() {
    dialog_.HideKeepingModalLoop();
}

void LauncherStartHost::ShowWindow() {
    dialog_.show();
}

bool LauncherStartHost::DisplaySwitched() const {
    return dialog_.DisplaySwitched();
}

void LauncherStartHost::ToggleFullScreen() {
    dialog_.ToggleFullScreen();
}

void LauncherStartHost::ShowSnapshot(std::string_view gameText) {
    dialog_.ShowSnapshot(std::string(gameText));
}

void LauncherStartHost::FocusGameBox() {
    dialog_.GetDlgItem(ids::GameBox)->setFocus(Qt::OtherFocusReason);
}

}  // namespace kestrun
