#include "res/menus.h"
#include "res/resource_ids.h"

namespace kestrun {

const MenuTemplate& MainMenuTemplate() {
    static const MenuTemplate menu{
        .id = ids::MainMenu,
        .menus =
            {
                {.text = "&Game",
                 .submenu =
                     {
                         {.text = "&Start\tF2", .commandId = ids::MenuStart},
                         {.text = "&Open...\tCtrl+O", .commandId = ids::MenuOpen},
                         MenuSeparator(),
                         {.text = "&Delete Snapshot", .commandId = ids::MenuDeleteSnapshot},
                         MenuSeparator(),
                         {.text = "E&xit", .commandId = ids::MenuExit},
                     }},
                {.text = "&Options",
                 .submenu =
                     {
                         {.text = "&Full Screen\tF4", .commandId = ids::MenuFullScreen},
                         MenuSeparator(),
                         {.text = "Graphics Rendering",
                          .submenu =
                              {
                                  {.text = "DirectDraw", .commandId = ids::MenuDirectDraw},
                                  {.text = "Direct3D", .commandId = ids::MenuDirect3D},
                              }},
                         {.text = "Sound",
                          .submenu =
                              {
                                  {.text = "Enabled", .commandId = ids::MenuSoundEnabled},
                                  MenuSeparator(),
                                  {.text = "Lo-Fi", .commandId = ids::MenuLoFi},
                              }},
                         {.text = "Translate options for current MAME",
                          .commandId = ids::MenuTranslateOptions},
                         {.text = "&Advanced Options...\tF8",
                          .commandId = ids::MenuAdvancedOptions},
                         MenuSeparator(),
                         {.text = "&Uninstall", .commandId = ids::MenuUninstall},
                     }},
                {.text = "&Help",
                 .submenu =
                     {
                         {.text = "&Documentation\tF1", .commandId = ids::MenuDocumentation},
                         {.text = "Get MAME...", .commandId = ids::MenuGetEmulator},
                         MenuSeparator(),
                         {.text = "&About...", .commandId = ids::MenuAbout},
                     }},
            },
        .firstRightAligned = 2,
    };
    return menu;
}

// F1 is missing on purpose: the help request reaches the window as its own event.
const std::vector<Accelerator>& MainAcceleratorTable() {
    static const std::vector<Accelerator> table{
        {"Ctrl+O", ids::Browse},          {"F2", ids::Start},        {"F4", ids::FullScreen},
        {"F8", ids::MenuAdvancedOptions}, {"PgDown", ids::NextGame}, {"PgUp", ids::PreviousGame},
    };
    return table;
}

}  // namespace kestrun
