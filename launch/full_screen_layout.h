#pragma once

#include <array>

// Geometry of the launcher's own full-screen mode: the display size and where the bottom row
// of buttons goes when the mode is entered. Leaving puts each control back where it was.
namespace kestrun {

inline constexpr int FullScreenWidth = 640;
inline constexpr int FullScreenHeight = 480;

// The moved controls in the order they are moved: delete-snapshot button, "?" button, Start,
// Exit, and the separator line above them.
inline constexpr std::array<int, 5> FullScreenMovedControls = {1044, 1015, 1012, 1013, 1046};

// A window rectangle; the controls' rectangles are taken in screen coordinates.
struct ControlRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ControlRect&) const = default;
};

// Entering: the control goes 6 to the left and 100 down. Its screen position is used directly
// as its new position inside the dialog, which now starts at the screen's corner.
ControlRect EnteringFullScreenRect(const ControlRect& control);

}  // namespace kestrun
