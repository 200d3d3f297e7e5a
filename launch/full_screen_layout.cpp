#include "launch/full_screen_layout.h"

namespace kestrun {

namespace {

constexpr int EnteringLeftShift = 6;
constexpr int EnteringDownShift = 100;

}  // namespace

ControlRect EnteringFullScreenRect(const ControlRect& control) {
    return {control.left - EnteringLeftShift, control.top + EnteringDownShift, control.width,
            control.height};
}

}  // namespace kestrun
