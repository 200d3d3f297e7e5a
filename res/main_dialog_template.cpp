#include <array>
#include <string_view>

#include "options/option_lists.h"
#include "res/dialog_templates.h"
#include "res/images.h"
#include "res/resource_ids.h"

namespace kestrun {

using enum ControlKind;

namespace {

template <std::size_t Count>
std::vector<std::string> ListItems(const std::array<std::string_view, Count>& items) {
    return {items.begin(), items.end()};
}

}  // namespace

// The main window: the left part up to the invisible marker frame 1023, the artwork and effect
// panel right of it. Entries are in tab order.
const DialogTemplate& MainDialogTemplate() {
    static const DialogTemplate dialog{
        .id = ids::MainDialog,
        .caption = "Kestrun",
        .width = 606,
        .height = 207,
        .menuId = ids::MainMenu,
        .minimizeBox = true,
        .controls =
            {
                {ids::GameBox, EditableComboBox, "", {170, 32, 248, 67}, TabStop},
                {ids::UseMame32, CheckBox, "Use mame32", {360, 20, 57, 10}, TabStop},
                {ids::PreviousGame, PushButton, "", {170, 49, 16, 14}, TabStop | IconImage},
                {ids::NextGame, PushButton, "", {186, 49, 16, 14}, TabStop | IconImage},
                {ids::SoundButton,
                 CheckBox,
                 "",
                 {290, 50, 16, 14},
                 TabStop | PushLike | Flat | IconImage},
                {ids::FullScreen, PushButton, "", {314, 50, 16, 14}, TabStop | IconImage},
                {ids::Browse, PushButton, "&Browse...", {369, 49, 50, 14}, TabStop},
                {ids::InputStandard,
                 RadioButton,
                 "Standard",
                 {181, 81, 45, 10},
                 GroupStart | TabStop},
                {ids::Mouse, CheckBox, "Mouse", {192, 95, 37, 10}, TabStop | Flat},
                {ids::Joystick, CheckBox, "Joystick", {192, 110, 41, 10}, TabStop | Flat},
                {ids::Lightgun, CheckBox, "Lightgun", {192, 125, 43, 10}, TabStop | Flat},
                {ids::InputController, RadioButton, "Controller", {234, 81, 45, 10}},
                {ids::ControllerList,
                 DropDownList,
                 "",
                 {245, 94, 50, 48},
                 GroupStart | TabStop | Sorted,
                 ListItems(ControllerListItems)},
                {ids::Steadykey, CheckBox, "Steadykey", {181, 149, 49, 10}, TabStop},
                {ids::Cheat, CheckBox, "Cheat", {245, 149, 35, 10}, TabStop},
                {NoControlId, GroupBox, "Input", {170, 66, 136, 102}},
                {ids::VideoWindow, RadioButton, "Window", {326, 81, 42, 10}, GroupStart | TabStop},
                {ids::VideoFullScreen, RadioButton, "Full screen", {326, 96, 50, 10}},
                {ids::Stretch, CheckBox, "Stretch video", {326, 112, 58, 10}, GroupStart | TabStop},
                {NoControlId, GroupBox, "Display mode", {314, 66, 105, 65}},
                {ids::ResolutionList,
                 DropDownList,
                 "",
                 {326, 148, 70, 48},
                 TabStop,
                 ListItems(ResolutionListItems)},
                {NoControlId, GroupBox, "Monitor/TV-Out Resolution", {314, 135, 105, 34}},
                {ids::Artcrop, CheckBox, "Crop to game", {439, 61, 58, 10}, TabStop},
                {ids::Artres, CheckBox, "High resolution", {516, 61, 63, 10}, TabStop},
                {ids::Artwork, CheckBox, "&Artwork", {435, 46, 40, 10}, TabStop},
                {NoControlId, GroupBox, "Effects", {432, 102, 164, 67}},
                {ids::EffectNone, RadioButton, "None", {439, 118, 33, 10}, GroupStart | TabStop},
                {ids::EffectSharpen, RadioButton, "Sharpen image", {500, 118, 63, 10}},
                {ids::EffectScanlines, RadioButton, "Scanlines", {439, 133, 47, 10}},
                {ids::EffectMasks, RadioButton, "RGB monitor masks", {500, 133, 78, 10}},
                {ids::ScanlinesList,
                 DropDownList,
                 "",
                 {449, 147, 41, 52},
                 GroupStart | TabStop,
                 ListItems(ScanlineListItems)},
                {ids::MaskList,
                 DropDownList,
                 "",
                 {510, 147, 70, 51},
                 TabStop,
                 ListItems(MaskListItems)},
                {ids::Bypass, CheckBox, "Bypass", {549, 186, 50, 14}, TabStop | PushLike},
                {ids::About, PushButton, "?", {7, 186, 18, 14}, TabStop},
                {ids::DeleteSnapshot, PushButton, "", {49, 186, 16, 14}, TabStop | IconImage},
                {ids::Start, DefaultPushButton, "&Start", {170, 186, 50, 14}, TabStop},
                {ids::CollapseToggle, PushButton, "Button1", {220, 186, 50, 14}, TabStop},
                {ids::Exit, PushButton, "E&xit", {369, 186, 50, 14}, TabStop},
                {ids::BottomSeparator, EtchedHorizontalLine, "", {7, 177, 592, 1}},
                {ids::SnapshotPicture,
                 BitmapStatic,
                 "",
                 {7, 7, 155, 162},
                 NoStyle,
                 {},
                 ids::DefaultSnapshotBitmap},
                {NoControlId, StaticText, "Select game:", {170, 20, 42, 8}},
                {NoControlId,
                 StaticText,
                 "Note that using the modes below comes at the cost of reduced emulation speed.",
                 {432, 20, 162, 18}},
                {ids::CollapseMarker, BlackFrame, "", {0, -1, 431, 209}, Hidden},
                {NoControlId, GroupBox, "", {432, 47, 164, 51}},
                {NoControlId, EtchedHorizontalLine, "", {171, 142, 131, 1}},
                {ids::BackdropsOverlays,
                 CheckBox,
                 "Backdrops and overlays",
                 {439, 79, 92, 10},
                 TabStop | Flat},
                {ids::Bezels, CheckBox, "Bezels", {542, 79, 37, 10}, TabStop | Flat},
            },
        .images = &ResourceImages(),
    };
    return dialog;
}

}  // namespace kestrun
