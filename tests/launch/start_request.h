#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "launch/command_line_builder.h"
#include "launch/per_game_rules.h"
#include "options/launch_options.h"
#include "options/option_lists.h"

namespace kestrun::testing {

// A drop-down list's window text: the selected item, empty with no selection.
template <std::size_t Size>
std::string_view SelectedText(const std::array<std::string_view, Size>& items,
                              std::int32_t position) {
    return position >= 0 && static_cast<std::size_t>(position) < Size ? items[position]
                                                                      : std::string_view();
}

// The request a Start makes for a game text: the per-game facts derived from its lookup
// name in the given program folder, the list texts from the options' positions.
inline CommandLineRequest StartRequest(std::string_view gameText, const LaunchOptions& options,
                                       const std::string& programFolder = "/nonexistent/") {
    const std::string lookupName = LookupNameOf(TrimGameText(gameText));
    return {.gameText = TrimGameText(gameText),
            .options = options,
            .vectorGame = IsVectorGame(lookupName),
            .artworkInUse = options.Artwork != 0 && HasArtworkArchive(programFolder, lookupName),
            .controllerText = SelectedText(ControllerListItems, options.Ctrlr),
            .resolutionText = SelectedText(ResolutionListItems, options.Resolution)};
}

}  // namespace kestrun::testing
