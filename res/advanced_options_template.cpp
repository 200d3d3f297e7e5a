#include "res/dialog_templates.h"
#include "res/resource_ids.h"

namespace kestrun {

using enum ControlKind;

const DialogTemplate& AdvancedOptionsDialogTemplate() {
    static const DialogTemplate dialog{
        .id = ids::AdvancedOptionsDialog,
        .caption = "Advanced Options",
        .width = 200,
        .height = 158,
        .menuId = 0,
        .controls =
            {
                {IdOk, DefaultPushButton, "OK", {39, 137, 50, 14}, TabStop},
                {IdCancel, PushButton, "Cancel", {111, 137, 50, 14}, TabStop},
                {ids::NoSkipDisclaimerBox,
                 CheckBox,
                 "Display disclaimer screen",
                 {12, 9, 95, 10},
                 TabStop},
                {ids::NoSkipGameinfoBox,
                 CheckBox,
                 "Display game info screen",
                 {12, 24, 95, 10},
                 TabStop},
                {NoControlId, GroupBox, "Direct3D settings", {7, 57, 186, 71}},
                {ids::FilterBox,
                 CheckBox,
                 "Bi-linear interpolation filter",
                 {16, 74, 95, 10},
                 TabStop},
                {ids::TextureManagementBox,
                 CheckBox,
                 "DirectX texture management",
                 {16, 89, 105, 10},
                 TabStop},
                {ids::NoRdtscBox,
                 CheckBox,
                 "Use alternative timing for SpeedStep notebooks",
                 {12, 39, 166, 10},
                 TabStop},
                {ids::FeedbackSlider, Trackbar, "", {86, 101, 100, 15}, TabStop},
                {ids::FeedbackBox, CheckBox, "Feedback effect", {16, 104, 68, 10}, TabStop},
            },
    };
    return dialog;
}

}  // namespace kestrun
