#pragma once

#include "ui/dialog_template.h"
#include "ui/menu_template.h"

// A small dialog of every control kind, with a menu, for the framework's tests.
namespace kestrun::sample {

inline constexpr int Run = 10, Editable = 11, List = 12, SortedList = 13, Check = 14,
                     PushCheck = 15, RadioA = 16, RadioB = 17, RadioC = 18, Slider = 19, Label = 20,
                     Group = 21, Frame = 22, Bitmap = 23, Icon = 24;
inline constexpr int MenuRun = 100, MenuRemovedItem = 101, MenuMode = 102, MenuAbout = 103;

// Its controls are in tab order. Its pictures are of one colour whose red is the resource
// number: bitmaps 30 x 20 pixels, icons 16 x 16 and blue.
const DialogTemplate& Template();
const MenuTemplate& Menu();

}  // namespace kestrun::sample
