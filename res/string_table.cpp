#include "res/string_table.h"

#include <map>

#include "res/resource_ids.h"

namespace kestrun {

namespace {

constexpr const char* HomePageAddress = "https://kestrun.example.org/";

}  // namespace

std::string LoadResourceString(int stringId) {
    static const std::map<int, std::string> table{
        {ids::AboutMenuItemString, "&About kestrun..."},
        {ids::Browse, "Browse for games"},
        {ids::Steadykey, "Use alternative keyboard handling"},
        {ids::Stretch, "Stretch video using the graphics card"},
        {ids::Start, "Run selected game"},
        {ids::About, "About"},
        {ids::SoundButton, "Mute sound"},
        {ids::Bypass, "Ignore everything but the input box"},
        {ids::Cheat, "Enable cheats"},
        {ids::PreviousGame, "Previous game"},
        {ids::NextGame, "Next game"},
        {ids::UseMame32, "Force mame32 execution"},
        {ids::Artwork, "Enable usage of additional artwork"},
        {ids::DeleteSnapshot, "Delete snapshot"},
        {ids::FullScreen, "Full screen"},
        {ids::HomePageLink, HomePageAddress},
        {ids::HomePageIconLink, HomePageAddress},
    };
    const auto found = table.find(stringId);
    return found == table.end() ? std::string() : found->second;
}

}  // namespace kestrun
