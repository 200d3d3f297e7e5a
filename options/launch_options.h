#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "options/key_table.h"
#include "platform/profile_store.h"

namespace kestrun {

// The main-window options. Each member is named after its profile key and holds what the
// control shows: 0/1 for a box, a position from 0 for a radio group or list, -1 for none.
// A value-initialised record is all zeros; DefaultLaunchOptions() gives a first run's values.
struct LaunchOptions {
    std::int32_t Steadykey = 0;
    std::int32_t Stretch = 0;
    std::int32_t Input = 0;
    std::int32_t Video = 0;
    std::int32_t Mute = 0;
    std::int32_t Ctrlr = 0;
    std::int32_t Joystick = 0;
    std::int32_t Mouse = 0;
    std::int32_t Effects = 0;
    std::int32_t Scanlines = 0;
    std::int32_t Mask = 0;
    std::int32_t Resolution = 0;
    std::int32_t Bypass = 0;
    std::int32_t Cheat = 0;
    std::int32_t mame32 = 0;
    std::int32_t Lightgun = 0;
    std::int32_t Artwork = 0;
    std::int32_t Artcrop = 0;
    std::int32_t Artres = 0;
    std::int32_t BackdropsOverlays = 0;
    std::int32_t Bezels = 0;
    std::int32_t LoFi = 0;
    std::int32_t D3d = 0;

    bool operator==(const LaunchOptions&) const = default;
};

struct LaunchOptionKey {
    std::string_view key;
    std::int32_t LaunchOptions::*member;
    std::int32_t defaultValue;
};

// The two keys that their menu commands store at once, and the Advanced Options dialog reads.
inline constexpr std::string_view LoFiKey = "LoFi";
inline constexpr std::string_view D3dKey = "D3d";

// Every key in the order the main window reads them at construction.
inline constexpr std::array<LaunchOptionKey, 23> LaunchOptionKeys{{
    {"Steadykey", &LaunchOptions::Steadykey, 0},
    {"Stretch", &LaunchOptions::Stretch, 0},
    {"Input", &LaunchOptions::Input, 0},
    {"Video", &LaunchOptions::Video, 1},
    {"Mute", &LaunchOptions::Mute, 0},
    {"Ctrlr", &LaunchOptions::Ctrlr, -1},
    {"Joystick", &LaunchOptions::Joystick, 0},
    {"Mouse", &LaunchOptions::Mouse, 0},
    {"Effects", &LaunchOptions::Effects, 0},
    {"Scanlines", &LaunchOptions::Scanlines, 1},
    {"Mask", &LaunchOptions::Mask, 0},
    {"Resolution", &LaunchOptions::Resolution, 0},
    {"Bypass", &LaunchOptions::Bypass, 0},
    {"Cheat", &LaunchOptions::Cheat, 0},
    {"mame32", &LaunchOptions::mame32, 0},
    {"Lightgun", &LaunchOptions::Lightgun, 0},
    {"Artwork", &LaunchOptions::Artwork, 1},
    {"Artcrop", &LaunchOptions::Artcrop, 0},
    {"Artres", &LaunchOptions::Artres, 0},
    {"BackdropsOverlays", &LaunchOptions::BackdropsOverlays, 1},
    {"Bezels", &LaunchOptions::Bezels, 1},
    {LoFiKey, &LaunchOptions::LoFi, 0},
    {D3dKey, &LaunchOptions::D3d, 0},
}};

// The keys written at close, in their order. LoFi and D3d are absent: their menu commands
// store them the moment they change.
inline constexpr std::array<std::string_view, 21> LaunchOptionCloseOrder{
    "Input",    "Steadykey",  "Mute",    "Video",   "Stretch",
    "Ctrlr",    "Joystick",   "Mouse",   "Effects", "Scanlines",
    "Mask",     "Resolution", "Bypass",  "Cheat",   "mame32",
    "Lightgun", "Artwork",    "Artcrop", "Artres",  "BackdropsOverlays",
    "Bezels"};

static_assert(NamesKnownKeysOnce(LaunchOptionKeys, LaunchOptionCloseOrder));

constexpr LaunchOptions DefaultLaunchOptions() {
    LaunchOptions options;
    for (const LaunchOptionKey& entry : LaunchOptionKeys) {
        options.*entry.member = entry.defaultValue;
    }
    return options;
}

// Stored values are taken as they are, never clamped: the controls show what they can.
LaunchOptions LoadLaunchOptions(ProfileStore& profile);
void SaveLaunchOptions(ProfileStore& profile, const LaunchOptions& options);

// Any stored renderer but 0 (DirectDraw) renders with Direct3D, out-of-range values included;
// the menu marks, the command line and the Advanced Options dialog all go by this.
constexpr bool RendersWithDirect3D(std::int32_t d3d) {
    return d3d != 0;
}

void SaveLoFi(ProfileStore& profile, std::int32_t loFi);
void SaveD3d(ProfileStore& profile, std::int32_t d3d);

}  // namespace kestrun
