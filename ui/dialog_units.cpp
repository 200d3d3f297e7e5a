#include "ui/dialog_units.h"

namespace kestrun {

namespace {

// value * numerator / denominator rounded to the nearest integer, halves away from zero.
int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    const long long rounded =
        product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(rounded);
}

}  // namespace

int DialogUnitsToPixelsX(int units) {
    return MulDivRounded(units, BaseUnitX, 4);
}

int DialogUnitsToPixelsY(int units) {
    return MulDivRounded(units, BaseUnitY, 8);
}

QRect DialogRectToPixels(const DialogRect& rect) {
    const int left = DialogUnitsToPixelsX(rect.x);
    const int top = DialogUnitsToPixelsY(rect.y);
    const int right = DialogUnitsToPixelsX(rect.x + rect.width);
    const int bottom = DialogUnitsToPixelsY(rect.y + rect.height);
    return QRect(left, top, right - left, bottom - top);
}

QSize DialogSizeToPixels(int width, int height) {
    return QSize(DialogUnitsToPixelsX(width), DialogUnitsToPixelsY(height));
}

}  // namespace kestrun
