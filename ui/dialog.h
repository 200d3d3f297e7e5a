#pragma once

#include <QDialog>
#include <QMenu>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/command_router.h"
#include "ui/data_exchange.h"
#include "ui/dialog_controls.h"
#include "ui/dialog_template.h"
#include "ui/menu_template.h"

class QMenuBar;

namespace kestrun {

// A dialog made from a template. Clicks, menu items and accelerators all arrive at OnCommand
// with a command id; values move between controls and members only in UpdateData.
class CDialog : public QDialog {
    Q_OBJECT
  public:
    // The template must outlive the dialog.
    CDialog(const DialogTemplate& dialogTemplate, QWidget* parent);

    // Runs the initialisation once, before the dialog is first shown.
    void Create();
    // Runs the dialog modally; the result is the id given to EndDialog.
    int DoModal();
    void EndDialog(int result);

    QWidget* GetDlgItem(int controlId) const { return controls_.Find(controlId); }
    template <class Widget>
    Widget* Item(int controlId) const {
        return qobject_cast<Widget*>(GetDlgItem(controlId));
    }
    QString GetDlgItemText(int controlId) const;
    void SetDlgItemText(int controlId, const QString& text);
    const DialogControls& Controls() const { return controls_; }

    // save: controls into members; otherwise members into controls.
    void UpdateData(bool save);

    CommandRouter& Commands() { return commands_; }
    void SetMenu(const MenuTemplate& menuTemplate);
    QMenuBar* MenuBar() const { return menuBar_; }
    QAction* FindMenuItem(int commandId) const;
    void LoadAccelerators(const std::vector<Accelerator>& table);
    // Gives each control with an id the text for that id, if it is not empty.
    void SetToolTips(const std::function<std::string(int)>& textFor);

    // Handles a command as a click, a menu item or an accelerator; false when nobody did.
    virtual bool OnCommand(int commandId);
    bool OnNotify(int controlId, ControlNotification notification);
    // Offers each item of a menu that opens to the update handlers.
    void UpdateMenu(QMenu& menu);

  protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange& exchange);
    virtual void OnOK();
    virtual void OnCancel();
    // The window's close command (title bar, window manager); by default a Cancel.
    virtual void OnClose();

    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ConnectControls();
    void PlaceClientArea();

    QWidget* client_;
    DialogControls controls_;
    CommandRouter commands_;
    QMenuBar* menuBar_ = nullptr;
    std::map<int, QAction*> menuItems_;
    bool created_ = false;
};

}  // namespace kestrun
