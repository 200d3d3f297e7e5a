#include "games/qt_game_combo_box.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <vector>

#include "games/game_drop.h"

namespace kestrun {

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList LocalFilesOf(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.append(url.toLocalFile());
        }
    }
    return files;
}

}  // namespace

void CGameComboBox::Attach(QComboBox& box) {
    if (box_ == &box) {
        return;
    }
    box_ = &box;
    // The box holds what was typed: completing "pacman" to "pacmanf" from the history would
    // start another game than the one the user named.
    box.setCompleter(nullptr);
    box.setAcceptDrops(true);
    box.installEventFilter(this);
    // The edit field would otherwise take a dropped file's address as text to insert.
    if (QLineEdit* edit = box.lineEdit()) {
        edit->setAcceptDrops(true);
        edit->installEventFilter(this);
    }
}

void CGameComboBox::OnDropFiles(const QStringList& localFiles) {
    if (localFiles.isEmpty()) {
        return;
    }
    const std::vector<std::string> names{localFiles.front().toStdString()};
    if (const auto accepted = AcceptDroppedFiles(names)) {
        SetText(*accepted);
    }
}

bool CGameComboBox::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (LocalFilesOf(drag->mimeData()).isEmpty()) {
                return QObject::eventFilter(watched, event);
            }
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList files = LocalFilesOf(drop->mimeData());
            if (files.isEmpty()) {
                return QObject::eventFilter(watched, event);
            }
            drop->acceptProposedAction();
            OnDropFiles(files);
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

int CGameComboBox::Count() const {
    return box_ ? box_->count() : 0;
}

std::string CGameComboBox::ItemText(int position) const {
    return box_ ? box_->itemText(position).toStdString() : std::string();
}

// Adding or removing items never changes what the user sees in the edit field; only
// SelectItem and SetText do.
int CGameComboBox::InsertItem(int position, std::string_view text) {
    if (!box_) {
        return -1;
    }
    const QString shown = box_->currentText();
    const int count = box_->count();
    const int at = position < 0 || position > count ? count : position;
    box_->insertItem(at, ToQString(text));
    box_->setEditText(shown);
    return at;
}

void CGameComboBox::DeleteItem(int position) {
    if (!box_) {
        return;
    }
    const QString shown = box_->currentText();
    box_->removeItem(position);
    box_->setEditText(shown);
}

void CGameComboBox::SelectItem(int position) {
    if (!box_) {
        return;
    }
    box_->setCurrentIndex(position);
    // Choosing the item already current would leave an edited text in place.
    box_->setEditText(box_->itemText(position));
}

std::string CGameComboBox::Text() const {
    return box_ ? box_->currentText().toStdString() : std::string();
}

void CGameComboBox::SetText(std::string_view text) {
    if (box_) {
        box_->setEditText(ToQString(text));
    }
}

}  // namespace kestrun
