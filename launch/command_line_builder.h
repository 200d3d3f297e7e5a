#pragma once

#include <string>
#include <string_view>

#include "options/launch_options.h"
#include "platform/profile_store.h"

namespace kestrun {

// What one Start hands the builder. The two texts are the current texts of the controller
// and resolution lists, which go onto the command line as they are shown.
struct CommandLineRequest {
    std::string_view gameText;
    LaunchOptions options;
    bool vectorGame = false;
    // An artwork archive exists for the game and artwork is switched on.
    bool artworkInUse = false;
    std::string_view controllerText;
    std::string_view resolutionText;
};

struct EmulatorArguments {
    std::string text;
    // Run the emulator without a console (window mode).
    bool detach = false;
    // The text's command head; the generated options follow it.
    std::size_t headLength = 0;

    std::string_view GeneratedOptions() const { return std::string_view(text).substr(headLength); }
};

// The game text without white space at either end.
std::string_view TrimGameText(std::string_view text);

// The quoted game name followed by whatever options the user typed after it.
std::string BuildCommandHead(std::string_view gameText);

// The head followed by the options generated from the request. Advanced options are read
// from the profile one by one, each only when its rule is reached. In Bypass mode the head
// stands alone and nothing is read.
EmulatorArguments BuildCommandLine(const CommandLineRequest& request, ProfileStore& profile);

}  // namespace kestrun
