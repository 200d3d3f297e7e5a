#pragma once

#include <algorithm>
#include <string_view>

// Trimming, with the sets of blanks that the program's texts are trimmed of. They differ on
// purpose: the history keeps tabs that a user typed, a desktop entry line ends in a carriage
// return on some systems, and the C runtime's white space ends a typed game text.
namespace kestrun {

namespace blanks {
inline constexpr std::string_view Spaces = " ";
inline constexpr std::string_view SpacesAndTabs = " \t";
inline constexpr std::string_view EntryLine = " \t\r";
inline constexpr std::string_view Typed = " \t\r\n";
inline constexpr std::string_view CWhiteSpace = " \t\n\v\f\r";
}  // namespace blanks

inline std::string_view TrimStart(std::string_view text, std::string_view blankSet) {
    text.remove_prefix(std::min(text.find_first_not_of(blankSet), text.size()));
    return text;
}

inline std::string_view Trim(std::string_view text, std::string_view blankSet) {
    text = TrimStart(text, blankSet);
    return text.substr(0, text.find_last_not_of(blankSet) + 1);
}

}  // namespace kestrun
