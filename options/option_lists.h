#pragma once

#include <array>
#include <string_view>

namespace kestrun {

// The items of the main window's drop-down lists, in list order. The stored option is the
// position in its list; the controller and resolution texts also go onto the command line.
inline constexpr std::array<std::string_view, 4> ControllerListItems{"HotRod", "HotRodSE",
                                                                     "SlikStik", "XArcade"};

inline constexpr std::array<std::string_view, 9> ResolutionListItems{
    "Auto",    "320x200", "320x240",  "512x384",  "640x400",
    "640x480", "800x600", "1024x768", "1280x1024"};

inline constexpr std::array<std::string_view, 4> ScanlineListItems{"25%", "50%", "75%", "Vertical"};

inline constexpr std::array<std::string_view, 6> MaskListItems{"3 dot matrix", "4 dot matrix",
                                                               "6 dot matrix", "16 dot matrix",
                                                               "Tiny matrix",  "Vertical matrix"};

}  // namespace kestrun
