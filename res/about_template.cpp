#include "res/dialog_templates.h"
#include "res/images.h"
#include "res/resource_ids.h"

namespace kestrun {

using enum ControlKind;

const DialogTemplate& AboutDialogTemplate() {
    static const DialogTemplate dialog{
        .id = ids::AboutDialog,
        .caption = "About kestrun",
        .width = 252,
        .height = 92,
        .menuId = 0,
        .controls =
            {
                {ids::HomePageIconLink,
                 IconStatic,
                 "",
                 {11, 17, 20, 20},
                 Sunken,
                 {},
                 ids::ProgramIcon},
                {NoControlId, StaticText, "Kestrun 2004 v0.79", {40, 10, 89, 8}},
                {NoControlId, StaticText, "MAME launcher", {41, 19, 67, 8}},
                {IdOk, DefaultPushButton, "OK", {195, 7, 50, 14}, TabStop},
                {ids::ViewHelp, PushButton, "&View Help", {195, 21, 50, 14}, TabStop},
                {NoControlId, StaticText, "Linux edition", {41, 37, 69, 8}},
                {ids::UninstallButton, PushButton, "&Uninstall", {195, 71, 50, 14}, TabStop},
                {ids::HomePageLink, StaticText, "Kestrun homepage", {41, 77, 87, 8}},
            },
        .images = &ResourceImages(),
    };
    return dialog;
}

}  // namespace kestrun
