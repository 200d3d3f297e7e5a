#pragma once

#include <functional>
#include <string>

#include "install/qt_static_link.h"
#include "platform/desktop_shell.h"
#include "platform/message_box.h"
#include "ui/dialog.h"

namespace kestrun {

// The About box: product line, links to the home page (the text and the icon), the help page
// and Uninstall. Made anew for every showing, so its links start unvisited.
class CAboutDialog : public CDialog {
    Q_OBJECT
  public:
    // helpFolder: where the help page is; uninstall: what the "Uninstall" button does (the main
    // window passes UninstallProgram).
    CAboutDialog(QWidget* parent, DesktopShell& shell, MessageBoxService& messages,
                 std::string helpFolder, std::function<void()> uninstall);

  protected:
    bool OnInitDialog() override;

  private:
    void OnViewHelp();

    DesktopShell& shell_;
    MessageBoxService& messages_;
    std::string helpFolder_;
    CStaticLink homePageLink_;
    CStaticLink homePageIconLink_;
};

}  // namespace kestrun
