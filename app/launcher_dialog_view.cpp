// The dialog as the model's view: what the model reads from the controls and shows on them.
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>

#include "app/launcher_dialog.h"
#include "res/images.h"
#include "res/resource_ids.h"

namespace kestrun {

namespace {

// The history entries are "RomSet0", "RomSet1", ... and the box's text at close "RomSet".
constexpr std::string_view HistoryKeyPrefix = "RomSet";

}  // namespace

LaunchOptions CLauncherDialog::ReadBackOptions() {
    UpdateData(true);
    return model_.Options();
}

std::string CLauncherDialog::GameText() const {
    return GetDlgItemText(ids::GameBox).toStdString();
}

void CLauncherDialog::SetGameText(std::string_view text) {
    SetDlgItemText(ids::GameBox, QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

std::string CLauncherDialog::ControllerText() const {
    return GetDlgItemText(ids::ControllerList).toStdString();
}

std::string CLauncherDialog::ResolutionText() const {
    return GetDlgItemText(ids::ResolutionList).toStdString();
}

void CLauncherDialog::LoadHistory() {
    gameBox_.LoadHistory(ProfileSection, HistoryKeyPrefix, true);
}

void CLauncherDialog::SaveHistory() {
    gameBox_.SaveHistory();
}

void CLauncherDialog::InsertIntoHistory(std::string_view gameText) {
    gameBox_.InsertItem(gameText);
    DescribeHistoryItems();
}

void CLauncherDialog::SetTitle(std::string_view title) {
    setWindowTitle(QString::fromUtf8(title.data(), static_cast<int>(title.size())));
}

void CLauncherDialog::SetGameToolTip(std::string_view text) {
    QWidget* box = GetDlgItem(ids::GameBox);
    if (!usualGameTip_) {
        usualGameTip_ = box->toolTip();
    }
    box->setToolTip(text.empty() ? *usualGameTip_
                                 : QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

void CLauncherDialog::DescribeHistory(std::function<std::string(std::string_view)> describe) {
    describeHistory_ = std::move(describe);
    DescribeHistoryItems();
}

void CLauncherDialog::DescribeHistoryItems() {
    if (!describeHistory_) {
        return;
    }
    auto* box = Item<QComboBox>(ids::GameBox);
    for (int item = 0; item < box->count(); ++item) {
        const std::string tip = describeHistory_(box->itemText(item).toStdString());
        box->setItemData(item, tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip)),
                         Qt::ToolTipRole);
    }
}

void CLauncherDialog::ShowMame32Choice(bool shown) {
    GetDlgItem(ids::UseMame32)->setVisible(shown);
}

void CLauncherDialog::EnableStretch(bool enabled) {
    GetDlgItem(ids::Stretch)->setEnabled(enabled);
}

void CLauncherDialog::ShowWindow(bool shown) {
    if (shown) {
        show();
    } else {
        HideKeepingModalRun(*this);
    }
}

void CLauncherDialog::FocusGameBox() {
    GetDlgItem(ids::GameBox)->setFocus(Qt::OtherFocusReason);
}

void CLauncherDialog::ShowSnapshotPicture(const std::optional<std::string>& file, bool fullScreen) {
    if (!file) {
        snapshots_.ShowNow(QPixmap::fromImage(LoadBitmapResource(ids::DefaultSnapshotBitmap)));
        return;
    }
    snapshots_.ShowFile(*file, fullScreen);
}

// A windowed video choice cannot stand in full-screen mode: the full-screen radio takes over,
// with what its own command does.
void CLauncherDialog::ArrangeForFullScreen(bool fullScreen) {
    if (!fullScreen) {
        fullScreen_.Leave();
        return;
    }
    UpdateData(true);
    if (model_.Options().Video == 0) {
        Item<QAbstractButton>(ids::VideoFullScreen)->setChecked(true);
        OnCommand(ids::VideoFullScreen);
    }
    fullScreen_.Enter();
}

std::optional<std::string> CLauncherDialog::AskForGameFile() {
    QFileDialog dialog(nullptr, QStringLiteral("Select Game"), QString(),
                       QStringLiteral("Compressed ROM sets (*.zip);;All files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("zip"));
    dialog.selectFile(QStringLiteral("*.zip"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace kestrun
