#include "launch/full_screen_layout.h"

namespace kestrun {

namespace {

constexpr int EnteringLeftShift = 6;
constexpr int EnteringDownShift = 100;
constexpr int TallDialogBottom = 380;
constexpr int TallDialogBottomToShift = 216;
constexpr int ShortDialogShift = 163;

}  // namespace

ControlRect EnteringFullScreenRect(const ControlRect& control) {
    return {control.left - EnteringLeftShift, control.top + EnteringDownShift, control.width,
            control.height};
}

int LeavingFullScreenShift(int dialogBottom) {
    return dialogBottom > TallDialogBottom ? dialogBottom - TallDialogBottomToShift
                                           : ShortDialogShift;
}

ControlRect LeavingFullScreenRect(const ControlRect& control, int shift) {
    return {control.left, control.top - shift, control.width, control.height};
}

}  // namespace kestrun
