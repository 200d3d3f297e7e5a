#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "options/key_table.h"
#include "platform/profile_store.h"

namespace kestrun {

// The options of the Advanced Options dialog. Outside that dialog they live only in the
// profile; each launch reads what it needs from there.
struct AdvancedOptions {
    std::int32_t NoSkipDislaimer = 0;
    std::int32_t NoSkipGameinfo = 0;
    std::int32_t Flt = 0;
    std::int32_t TextureManagement = 0;
    std::int32_t NoRDTSC = 0;
    std::int32_t Feedback = 0;
    std::int32_t Slider = 0;

    bool operator==(const AdvancedOptions&) const = default;
};

struct AdvancedOptionKey {
    std::string_view key;
    std::int32_t AdvancedOptions::*member;
    std::int32_t dialogDefault;
    // A profile that never saw the dialog launches with texture management on.
    std::int32_t launchDefault;
};

// Every key in the order the dialog's OK writes them. "NoSkipDislaimer" is spelled as stored.
inline constexpr std::array<AdvancedOptionKey, 7> AdvancedOptionKeys{{
    {"NoSkipDislaimer", &AdvancedOptions::NoSkipDislaimer, 0, 0},
    {"NoSkipGameinfo", &AdvancedOptions::NoSkipGameinfo, 1, 1},
    {"Flt", &AdvancedOptions::Flt, 1, 1},
    {"TextureManagement", &AdvancedOptions::TextureManagement, 0, 1},
    {"NoRDTSC", &AdvancedOptions::NoRDTSC, 0, 0},
    {"Feedback", &AdvancedOptions::Feedback, 0, 0},
    {"Slider", &AdvancedOptions::Slider, 50, 50},
}};

// The order in which the dialog reads them when it is constructed.
inline constexpr std::array<std::string_view, 7> AdvancedOptionDialogReadOrder{
    "NoSkipDislaimer", "Flt",   "TextureManagement", "NoSkipGameinfo", "NoRDTSC",
    "Feedback",        "Slider"};
static_assert(NamesKnownKeysOnce(AdvancedOptionKeys, AdvancedOptionDialogReadOrder));

AdvancedOptions LoadAdvancedOptions(ProfileStore& profile);
void SaveAdvancedOptions(ProfileStore& profile, const AdvancedOptions& options);

// One field as a launch sees it: read from the profile now, with the launch default.
std::int32_t ReadAdvancedOptionAtLaunch(ProfileStore& profile,
                                        std::int32_t AdvancedOptions::*field);

}  // namespace kestrun
