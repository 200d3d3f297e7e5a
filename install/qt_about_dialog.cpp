#include "install/qt_about_dialog.h"

#include <utility>

#include "install/help_commands.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"

namespace kestrun {

CAboutDialog::CAboutDialog(QWidget* parent, DesktopShell& shell, MessageBoxService& messages,
                           std::string helpFolder, std::function<void()> uninstall)
    : CDialog(AboutDialogTemplate(), parent),
      shell_(shell),
      messages_(messages),
      helpFolder_(std::move(helpFolder)),
      homePageLink_(shell),
      homePageIconLink_(shell) {
    Commands().OnCommand(ids::ViewHelp, [this] { OnViewHelp(); });
    if (uninstall) {
        Commands().OnCommand(ids::UninstallButton, std::move(uninstall));
    }
}

bool CAboutDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    homePageLink_.SetLinkTarget({});
    homePageLink_.SubclassDlgItem(ids::HomePageLink, *this);
    homePageIconLink_.SetLinkTarget({});
    homePageIconLink_.SubclassDlgItem(ids::HomePageIconLink, *this);
    return true;
}

void CAboutDialog::OnViewHelp() {
    OnDocumentation(helpFolder_, shell_, messages_);
}

}  // namespace kestrun
