#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrun {

// Command ids of the standard buttons; Escape and the window's close command send IdCancel.
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;

class DialogImageSource;

// Control id of template entries that no code refers to (labels, frames, lines).
inline constexpr int NoControlId = -1;

enum class ControlKind {
    PushButton,
    DefaultPushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    StaticText,
    EditableComboBox,
    DropDownList,
    Trackbar,
    EtchedHorizontalLine,
    BlackFrame,
    BitmapStatic,
    IconStatic,
};

// Style bits of one control, combined with |.
enum ControlStyle : std::uint32_t {
    NoStyle = 0,
    GroupStart = 1u << 0,  // starts a group: radio groups and arrow-key navigation end here
    TabStop = 1u << 1,
    Disabled = 1u << 2,
    Hidden = 1u << 3,
    PushLike = 1u << 4,  // a check box drawn as a push button that stays down
    Flat = 1u << 5,
    Sorted = 1u << 6,  // drop-down list items kept in alphabetical order
    Sunken = 1u << 7,
    IconImage = 1u << 8,  // a button that shows an icon set by its dialog instead of a caption
};

// A rectangle in dialog units: x and y of the top-left corner, width and height.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ControlTemplate {
    int id = NoControlId;
    ControlKind kind = ControlKind::StaticText;
    std::string caption;
    DialogRect rect;
    std::uint32_t style = NoStyle;
    // Items a drop-down list receives before the dialog's values are shown.
    std::vector<std::string> items = {};
    // Bitmap or icon resource shown by a picture static, from the template's image source.
    int imageId = 0;

    bool Has(ControlStyle bit) const { return (style & bit) != 0; }
};

// A dialog as data: its controls in tab order, which is also their stacking order.
struct DialogTemplate {
    int id = 0;
    std::string caption;
    int width = 0;  // client area in dialog units
    int height = 0;
    int menuId = 0;  // 0: no menu
    bool minimizeBox = false;
    std::vector<ControlTemplate> controls;
    // Supplies the pictures of picture statics; without one they stay empty.
    const DialogImageSource* images = nullptr;
};

}  // namespace kestrun
