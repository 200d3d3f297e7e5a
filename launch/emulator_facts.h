#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kestrun {

// The configured search paths that a run without MAME's own ini files would lose, each with
// the folder of the same purpose beside the program.
struct SearchPathSetting {
    std::string_view option;     // as -showconfig names it and the command line takes it
    std::string_view ownFolder;  // relative to the program folder, the emulator's working folder
    bool list;                   // takes several folders joined by ';', else exactly one
};
inline constexpr std::array<SearchPathSetting, 4> SearchPathSettings{{
    {"ctrlrpath", "ctrlr", true},
    {"pluginspath", "plugins", true},
    {"artpath", "artwork", true},
    {"bgfx_path", "bgfx", false},
}};

// What an emulator executable says about itself.
struct EmulatorFacts {
    // The number it answers -version with ("0.251"); empty for anything but a current MAME.
    std::string version;
    // The option names -showusage lists, without their hyphen, sorted. Empty when unknown.
    std::vector<std::string> options = {};
    // The configured values of SearchPathSettings that -showconfig printed.
    std::map<std::string, std::string, std::less<>> searchPaths = {};

    bool IsCurrentMame() const { return !version.empty(); }
    // True when the option (without its hyphen) is listed, directly, through one of its short
    // names or as the "no" form of a switch; always true when the list is unknown.
    bool Accepts(std::string_view option) const;

    bool operator==(const EmulatorFacts&) const = default;
};

// The version number at the start of the first line ("0.251 (unknown)" gives "0.251"); empty
// when the line does not begin with digits, a dot and digits.
std::string ParseVersion(std::string_view output);
// Every "-name  description" line's name, sorted and without repeats.
std::vector<std::string> ParseUsage(std::string_view output);
// The "name  value" lines of SearchPathSettings; a value in double quotes loses them.
std::map<std::string, std::string, std::less<>> ParseSearchPaths(std::string_view output);

}  // namespace kestrun
