#include "launch/command_line_builder.h"

#include <array>
#include <cstdint>

#include "options/advanced_options.h"
#include "platform/text_trim.h"

namespace kestrun {
namespace {

constexpr std::array<std::string_view, 4> ScanlineEffects{"25", "50", "75", "75v"};
constexpr std::array<std::string_view, 6> MaskEffects{"3", "4", "6", "16", "tiny", "4v"};

template <std::size_t Size>
std::string_view PieceAt(const std::array<std::string_view, Size>& pieces, std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < Size ? pieces[index]
                                                                : std::string_view();
}

std::int32_t Advanced(ProfileStore& profile, std::int32_t AdvancedOptions::*field) {
    return ReadAdvancedOptionAtLaunch(profile, field);
}

void AppendDirect3dOptions(std::string& out, ProfileStore& profile) {
    out += " -d3d -d3dprescale none";
    if (Advanced(profile, &AdvancedOptions::Flt) == 0) {
        out += " -d3dfilter 0";
    }
    if (Advanced(profile, &AdvancedOptions::TextureManagement) == 0) {
        out += " -nod3dtexmanage";
    }
    if (Advanced(profile, &AdvancedOptions::Feedback) != 0) {
        out += " -d3dfeedback " + std::to_string(Advanced(profile, &AdvancedOptions::Slider));
    }
}

void AppendSoundOptions(std::string& out, const LaunchOptions& options) {
    if (options.Mute != 0) {
        out += " -nosound -nosamples";
    } else if (options.LoFi != 0) {
        out += " -sr 11025 -noresamplefilter -audio_latency 2";
    }
}

// Other Video values (a radio group with nothing chosen) add nothing here.
void AppendVideoOptions(std::string& out, const CommandLineRequest& request, bool& detach) {
    const LaunchOptions& options = request.options;
    if (options.Video == 0) {
        out += " -window -nomax";
        detach = true;
    }
    if (options.Video == 1 && !request.vectorGame && !request.artworkInUse) {
        out += " -tb";
    }
    if (options.Video == 1) {
        out += " -nosleep -high_priority";
    }
    if (request.vectorGame) {
        out += " -gamma 2";
    }
}

void AppendArtworkOptions(std::string& out, const CommandLineRequest& request) {
    const LaunchOptions& options = request.options;
    if (options.Artwork == 0) {
        out += " -noartwork";
    }
    if (!request.artworkInUse) {
        return;
    }
    if (options.Artcrop != 0) {
        out += " -artcrop";
    }
    if (options.Artres != 0) {
        out += " -artres 2";
    }
    if (options.BackdropsOverlays == 0) {
        out += " -nobackdrop -nooverlay";
    }
    if (options.Bezels == 0) {
        out += " -nobezel";
    }
}

// The device boxes count only for standard input, the controller only for controller input.
void AppendInputOptions(std::string& out, const CommandLineRequest& request) {
    const LaunchOptions& options = request.options;
    if (options.Input == 0) {
        if (options.Mouse != 0) {
            out += " -mouse";
        }
        if (options.Joystick != 0) {
            out += " -joystick";
        }
        if (options.Lightgun != 0) {
            out += " -lightgun";
        }
    } else if (options.Input == 1 && options.Ctrlr >= 0) {
        out += " -ctrlr ";
        out += request.controllerText;
    }
}

std::string EffectArgument(const LaunchOptions& options) {
    std::string argument = RendersWithDirect3D(options.D3d) ? " -d3deffect " : " -effect ";
    switch (options.Effects) {
        case 1:
            argument += "sharp";
            break;
        case 2:
            argument += "scan";
            argument += PieceAt(ScanlineEffects, options.Scanlines);
            break;
        case 3:
            argument += "rgb";
            argument += PieceAt(MaskEffects, options.Mask);
            break;
        default:
            break;
    }
    return argument;
}

void AppendGeneratedOptions(EmulatorArguments& arguments, const CommandLineRequest& request,
                            ProfileStore& profile) {
    const LaunchOptions& options = request.options;
    std::string& out = arguments.text;
    out += " -norc";
    if (Advanced(profile, &AdvancedOptions::NoSkipDislaimer) == 0) {
        out += " -skip_disclaimer";
    }
    if (Advanced(profile, &AdvancedOptions::NoSkipGameinfo) == 0) {
        out += " -skip_gameinfo";
    }
    if (RendersWithDirect3D(options.D3d)) {
        AppendDirect3dOptions(out, profile);
    }
    AppendSoundOptions(out, options);
    AppendVideoOptions(out, request, arguments.detach);
    AppendArtworkOptions(out, request);
    AppendInputOptions(out, request);
    if (options.Steadykey != 0) {
        out += " -steadykey";
    }
    if (options.Cheat != 0) {
        out += " -cheat";
    }
    if (options.Stretch == 0 && options.Video != 0) {
        out += " -nohws";
    }
    if (options.Effects > 0) {
        out += EffectArgument(options);
    }
    if (options.Resolution > 0) {
        out += " -r ";
        out += request.resolutionText;
    }
    // Read once, so exactly one of the two timing options always ends the line.
    out += Advanced(profile, &AdvancedOptions::NoRDTSC) != 0 ? " -nordtsc" : " -rdtsc";
}

}  // namespace

std::string_view TrimGameText(std::string_view text) {
    return Trim(text, blanks::CWhiteSpace);
}

std::string BuildCommandHead(std::string_view gameText) {
    const std::string_view text = TrimGameText(gameText);
    const auto optionsStart = text.find(" -");
    const std::string_view name =
        optionsStart == std::string_view::npos ? text : TrimGameText(text.substr(0, optionsStart));
    const std::string_view typedOptions =
        optionsStart == std::string_view::npos ? std::string_view() : text.substr(optionsStart);
    std::string head;
    head.reserve(name.size() + typedOptions.size() + 2);
    head.append(1, '"').append(name).append(1, '"').append(typedOptions);
    return head;
}

EmulatorArguments BuildCommandLine(const CommandLineRequest& request, ProfileStore& profile) {
    EmulatorArguments arguments{BuildCommandHead(request.gameText)};
    arguments.headLength = arguments.text.size();
    if (request.options.Bypass == 0) {
        AppendGeneratedOptions(arguments, request, profile);
    }
    return arguments;
}

}  // namespace kestrun
