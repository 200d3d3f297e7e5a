#include "ui/dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>

#include "ui/dialog_builder.h"
#include "ui/drop_down_combo_box.h"
#include "ui/menu_builder.h"

namespace kestrun {

namespace {

Qt::WindowFlags WindowFlagsOf(const DialogTemplate& dialogTemplate) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (dialogTemplate.minimizeBox) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    return flags;
}

}  // namespace

QFont DialogFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setPointSize(8);
    // Its faces run a little wider than the one the templates were measured with.
    font.setLetterSpacing(QFont::PercentageSpacing, 95);
    return font;
}

CDialog::CDialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent, WindowFlagsOf(dialogTemplate)), client_(new QWidget(this)) {
    setWindowTitle(QString::fromStdString(dialogTemplate.caption));
    setFont(DialogFont());
    controls_ = BuildDialogControls(dialogTemplate, *client_);
    ConnectControls();
    PlaceClientArea();
}

void CDialog::ConnectControls() {
    for (const DialogControl& control : controls_.All()) {
        const int id = control.source->id;
        if (id == NoControlId) {
            continue;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(control.widget)) {
            connect(button, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
        }
        if (auto* combo = qobject_cast<DropDownComboBox*>(control.widget)) {
            connect(combo, &DropDownComboBox::droppedDown, this,
                    [this, id] { OnNotify(id, ControlNotification::DropDown); });
        }
    }
}

// The menu bar sits above the client area, which keeps the template's size.
void CDialog::PlaceClientArea() {
    const int menuHeight = menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
    client_->move(0, menuHeight);
    setFixedSize(client_->width(), menuHeight + client_->height());
}

void CDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (menuBar_ != nullptr) {
        menuBar_->setGeometry(0, 0, width(), menuBar_->sizeHint().height());
    }
}

void CDialog::Create() {
    if (created_) {
        return;
    }
    created_ = true;
    OnInitDialog();
}

int CDialog::DoModal() {
    Create();
    return exec();
}

void CDialog::EndDialog(int result) {
    done(result);
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(DataExchange&) {}

bool CDialog::UpdateData(bool save) {
    DataExchange exchange(controls_, save);
    DoDataExchange(exchange);
    return true;
}

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(IdOk);
}

void CDialog::OnCancel() {
    EndDialog(IdCancel);
}

void CDialog::OnClose() {
    OnCommand(IdCancel);
}

// Escape arrives here.
void CDialog::reject() {
    OnCommand(IdCancel);
}

// Whether the window goes is the dialog's decision; ending the dialog hides it.
void CDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    OnClose();
}

bool CDialog::OnCommand(int commandId) {
    if (commands_.Route(commandId)) {
        return true;
    }
    if (commandId == IdOk) {
        OnOK();
        return true;
    }
    if (commandId == IdCancel) {
        OnCancel();
        return true;
    }
    return false;
}

bool CDialog::OnNotify(int controlId, ControlNotification notification) {
    return commands_.RouteNotification(controlId, notification);
}

QString CDialog::GetDlgItemText(int controlId) const {
    QWidget* item = GetDlgItem(controlId);
    if (auto* button = qobject_cast<QAbstractButton*>(item)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(item)) {
        return label->text();
    }
    if (auto* combo = qobject_cast<QComboBox*>(item)) {
        return combo->currentText();
    }
    if (auto* group = qobject_cast<QGroupBox*>(item)) {
        return group->title();
    }
    return {};
}

void CDialog::SetDlgItemText(int controlId, const QString& text) {
    QWidget* item = GetDlgItem(controlId);
    if (auto* button = qobject_cast<QAbstractButton*>(item)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(item)) {
        label->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(item); combo && combo->isEditable()) {
        combo->setEditText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(item)) {
        group->setTitle(text);
    }
}

void CDialog::SetMenu(const MenuTemplate& menuTemplate) {
    delete menuBar_;
    BuiltMenu built = BuildMenuBar(
        menuTemplate, *this, [this](int id) { OnCommand(id); },
        [this](QMenu& menu) { UpdateMenu(menu); });
    menuBar_ = built.bar;
    // The dialog colours are for the client area; the menu bar keeps the system's.
    QPalette systemColors = menuBar_->palette();
    const QPalette application = QApplication::palette(menuBar_);
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText}) {
        systemColors.setColor(QPalette::Active, role, application.color(QPalette::Active, role));
        systemColors.setColor(QPalette::Inactive, role,
                              application.color(QPalette::Inactive, role));
        systemColors.setColor(QPalette::Disabled, role,
                              application.color(QPalette::Disabled, role));
    }
    menuBar_->setPalette(systemColors);
    menuItems_ = std::move(built.items);
    PlaceClientArea();
    menuBar_->setGeometry(0, 0, width(), menuBar_->sizeHint().height());
}

QAction* CDialog::FindMenuItem(int commandId) const {
    const auto found = menuItems_.find(commandId);
    return found == menuItems_.end() ? nullptr : found->second;
}

// A submenu's title is offered under its first item's id, and changes to it are ignored. If a
// handler adds or removes items, the walk goes on after the item just handled.
void CDialog::UpdateMenu(QMenu& menu) {
    for (qsizetype i = 0; i < menu.actions().size(); ++i) {
        QAction* action = menu.actions()[i];
        if (action->isSeparator()) {
            continue;
        }
        if (QMenu* submenu = action->menu()) {
            const QList<QAction*> subItems = submenu->actions();
            if (!subItems.isEmpty()) {
                CommandUI ignored(subItems.front()->data().toInt(), nullptr);
                commands_.Update(ignored);
            }
            continue;
        }
        CommandUI item(action->data().toInt(), action);
        commands_.Update(item);
        const qsizetype now = menu.actions().indexOf(action);
        i = now >= 0 ? now : i - 1;
    }
}

void CDialog::LoadAccelerators(const std::vector<Accelerator>& table) {
    for (const Accelerator& accelerator : table) {
        auto* shortcut =
            new QShortcut(QKeySequence(QString::fromStdString(accelerator.keys)), this);
        shortcut->setContext(Qt::WindowShortcut);
        const int id = accelerator.commandId;
        connect(shortcut, &QShortcut::activated, this, [this, id] { OnCommand(id); });
    }
}

void CDialog::SetToolTips(const std::function<std::string(int)>& textFor) {
    for (const DialogControl& control : controls_.All()) {
        if (control.source->id == NoControlId) {
            continue;
        }
        const std::string text = textFor(control.source->id);
        if (!text.empty()) {
            control.widget->setToolTip(QString::fromStdString(text));
        }
    }
}

}  // namespace kestrun
