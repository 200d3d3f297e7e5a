#include "games/qt_game_search_popup.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace kestrun {

namespace {

constexpr int VisibleRows = 12;

}  // namespace

GameSearchPopup::GameSearchPopup() : list_(std::make_unique<QListWidget>()) {
    // A window of its own that never takes the focus, so typing stays in the box.
    list_->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    list_->setAttribute(Qt::WA_ShowWithoutActivating);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(list_.get(), &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { PickRow(list_->row(item)); });
}

GameSearchPopup::~GameSearchPopup() = default;

void GameSearchPopup::Attach(QComboBox& box, Search search, Pick pick) {
    if (box_ == &box) {
        return;
    }
    box_ = &box;
    search_ = std::move(search);
    pick_ = std::move(pick);
    box.installEventFilter(this);
    if (QLineEdit* edit = box.lineEdit()) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, &GameSearchPopup::Update);
    }
}

void GameSearchPopup::Update(const QString& typed) {
    rows_ = search_ ? search_(typed.trimmed().toStdString()) : std::vector<GameSearchRow>{};
    list_->clear();
    if (rows_.empty() || !box_) {
        list_->hide();
        return;
    }
    for (const GameSearchRow& row : rows_) {
        list_->addItem(QString::fromStdString(row.label));
    }
    list_->setCurrentRow(-1);
    const int shown = std::min(VisibleRows, static_cast<int>(rows_.size()));
    const int height = list_->sizeHintForRow(0) * shown + 2 * list_->frameWidth();
    list_->setGeometry(
        QRect(box_->mapToGlobal(QPoint(0, box_->height())), QSize(box_->width(), height)));
    list_->show();
}

bool GameSearchPopup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && list_->isVisible()) {
        return HandleKey(static_cast<QKeyEvent*>(event)->key());
    }
    // The list is a window of its own: it goes with the box, and with the box's window.
    if ((event->type() == QEvent::FocusOut && !list_->underMouse()) ||
        event->type() == QEvent::Hide) {
        list_->hide();
    }
    return QObject::eventFilter(watched, event);
}

bool GameSearchPopup::HandleKey(int key) {
    const int row = list_->currentRow();
    switch (key) {
        case Qt::Key_Down:
            list_->setCurrentRow(std::min(row + 1, list_->count() - 1));
            return true;
        case Qt::Key_Up:
            list_->setCurrentRow(std::max(row - 1, 0));
            return true;
        case Qt::Key_Escape:
            list_->hide();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (row >= 0) {
                PickRow(row);
                return true;
            }
            list_->hide();
            return false;
        default:
            return false;
    }
}

void GameSearchPopup::PickRow(int row) {
    list_->hide();
    if (row >= 0 && row < static_cast<int>(rows_.size()) && pick_) {
        // A copy: the pick may search again and replace the rows.
        const std::string setName = rows_[static_cast<std::size_t>(row)].setName;
        pick_(setName);
    }
}

}  // namespace kestrun
