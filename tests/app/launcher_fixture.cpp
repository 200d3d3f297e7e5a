#include "tests/app/launcher_fixture.h"

#include "platform/temporary_folder.h"
#include "tests/ui/qt_application.h"

namespace kestrun::testing {

LauncherFixture::LauncherFixture() {
    folder.WriteFile("mame.exe");
    profile.WriteProfileInt(ProfileSection, "Shortcut", 1);
    profile.ClearLog();
    environment.programFile = folder.Path() + "kestrun";
    environment.temporaryFolder = TemporaryFolder();
    environment.arguments = {environment.programFile};
}

CLauncherDialog& LauncherFixture::Create() {
    dialog = std::make_unique<CLauncherDialog>(
        LauncherServices{profile, messages, display, shell, waiter, *factsSource}, environment);
    dialog->Create();
    return *dialog;
}

CLauncherDialog& LauncherFixture::Show() {
    Create();
    ShowActive(*dialog);
    return *dialog;
}

void LauncherFixture::AddRomSet(const std::string& name) const {
    folder.WriteFile("roms/" + name + ".zip", "PK");
}

}  // namespace kestrun::testing
