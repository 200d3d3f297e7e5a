#include "launch/option_translation.h"

#include <algorithm>
#include <array>

#include "games/ascii_case.h"
#include "platform/file_system.h"

namespace kestrun {
namespace {

enum class Action {
    Keep,
    Drop,
    Replace,      // by the replacement's words
    SearchPaths,  // kept, followed by the search paths and the snapshot naming
    Controller,   // the name in lower case, as the files that ship with MAME are named
    Effect,       // the PNG that comes nearest
    Resolution,   // kept, with mode switching, which is off unless asked for
};

struct Rule {
    std::string_view option;
    int values;  // words that belong to the option
    Action action;
    std::string_view replacement = {};
};

// Every option the command-line builder can generate.
constexpr Rule Rules[] = {
    {"-norc", 0, Action::SearchPaths},
    {"-skip_disclaimer", 0, Action::Drop},
    {"-skip_gameinfo", 0, Action::Keep},
    {"-d3d", 0, Action::Replace, "-video opengl"},
    {"-d3dprescale", 1, Action::Replace, "-prescale 1"},
    {"-d3dfilter", 1, Action::Replace, "-nofilter"},
    {"-nod3dtexmanage", 0, Action::Drop},
    {"-d3dfeedback", 1, Action::Drop},
    {"-nosound", 0, Action::Replace, "-sound none"},
    {"-nosamples", 0, Action::Keep},
    {"-sr", 1, Action::Keep},
    {"-noresamplefilter", 0, Action::Drop},
    {"-audio_latency", 1, Action::Keep},
    {"-window", 0, Action::Keep},
    {"-nomax", 0, Action::Keep},
    {"-tb", 0, Action::Drop},
    {"-nosleep", 0, Action::Keep},
    {"-high_priority", 0, Action::Drop},
    {"-gamma", 1, Action::Keep},
    {"-noartwork", 0, Action::Drop},
    {"-artcrop", 0, Action::Keep},
    {"-artres", 1, Action::Drop},
    {"-nobackdrop", 0, Action::Drop},
    {"-nooverlay", 0, Action::Drop},
    {"-nobezel", 0, Action::Drop},
    {"-mouse", 0, Action::Keep},
    {"-joystick", 0, Action::Keep},
    {"-lightgun", 0, Action::Keep},
    {"-ctrlr", 1, Action::Controller},
    {"-steadykey", 0, Action::Keep},
    {"-cheat", 0, Action::Keep},
    {"-nohws", 0, Action::Drop},
    {"-effect", 1, Action::Effect},
    {"-d3deffect", 1, Action::Effect},
    {"-r", 1, Action::Resolution},
    {"-rdtsc", 0, Action::Drop},
    {"-nordtsc", 0, Action::Drop},
};

// The effects of old to the PNG files that ship with MAME (an empty name: no effect).
//   sharp          none: there is no sharpening image
//   scan25..scan75v scanlines: the only scanline image; there is no vertical one
//   rgb3           aperture1x3rb: stripes three pixels wide
//   rgb4           aperture2x4rb: the four-pixel grille
//   rgb6           aperture4x6: the widest grille
//   rgb16          shadow-mask: the coarse dot triads of the 16-dot matrix
//   rgbtiny        aperture1x2rb: the finest grille
//   rgb4v          slot-mask: its slots run vertically
// "scan" or "rgb" without a known size, and an empty name, give no effect either.
constexpr std::pair<std::string_view, std::string_view> EffectImages[] = {
    {"scan25", "scanlines"},  {"scan50", "scanlines"},   {"scan75", "scanlines"},
    {"scan75v", "scanlines"}, {"rgb3", "aperture1x3rb"}, {"rgb4", "aperture2x4rb"},
    {"rgb6", "aperture4x6"},  {"rgb16", "shadow-mask"},  {"rgbtiny", "aperture1x2rb"},
    {"rgb4v", "slot-mask"},
};

// One option with its values.
using Group = std::vector<std::string>;

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    // Split at every blank, so that an empty value (an effect without a name) keeps its place.
    if (text.starts_with(' ')) {
        text.remove_prefix(1);
    }
    while (!text.empty()) {
        const auto blank = text.find(' ');
        words.push_back(text.substr(0, blank));
        text.remove_prefix(blank == std::string_view::npos ? text.size() : blank + 1);
    }
    return words;
}

Group WordsOf(std::string_view text) {
    Group group;
    for (const std::string_view word : Words(text)) {
        group.emplace_back(word);
    }
    return group;
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return static_cast<char>(ToLowerAscii(static_cast<unsigned char>(c)));
    });
    return lower;
}

std::string_view EffectImage(std::string_view effect) {
    for (const auto& [name, image] : EffectImages) {
        if (effect == name) {
            return image;
        }
    }
    return {};
}

void AddSearchPaths(std::vector<Group>& out, const EmulatorFacts& facts,
                    const std::string& programFolder) {
    for (const SearchPathSetting& setting : SearchPathSettings) {
        std::string value(setting.ownFolder);
        const auto configured = facts.searchPaths.find(setting.option);
        const bool hasConfigured =
            configured != facts.searchPaths.end() && !configured->second.empty();
        if (hasConfigured && setting.list) {
            value += ";" + configured->second;
        } else if (hasConfigured && !FolderExists(programFolder + std::string(setting.ownFolder))) {
            value = configured->second;
        }
        out.push_back({"-" + std::string(setting.option), value});
    }
    // MAME's default puts each snapshot into a folder of its own; the window shows snap/<game>.png.
    out.push_back({"-snapname", "%g"});
}

void Translate(const Rule* rule, Group group, std::vector<Group>& out, const EmulatorFacts& facts,
               const std::string& programFolder) {
    // An option the table does not know is left to the check against the emulator's list; a
    // stray word is no option at all.
    if (rule == nullptr) {
        if (group.front().starts_with('-')) {
            out.push_back(std::move(group));
        }
        return;
    }
    switch (rule->action) {
        case Action::Keep:
            out.push_back(std::move(group));
            break;
        case Action::Drop:
            break;
        case Action::Replace:
            out.push_back(WordsOf(rule->replacement));
            break;
        case Action::SearchPaths:
            out.push_back(std::move(group));
            AddSearchPaths(out, facts, programFolder);
            break;
        case Action::Controller:
            out.push_back({group[0], LowerCase(group[1])});
            break;
        case Action::Effect:
            if (const std::string_view image = EffectImage(group[1]); !image.empty()) {
                out.push_back({"-effect", std::string(image)});
            }
            break;
        case Action::Resolution:
            out.push_back(std::move(group));
            out.push_back({"-switchres"});
            break;
    }
}

const Rule* RuleFor(std::string_view option) {
    const auto found = std::find_if(std::begin(Rules), std::end(Rules),
                                    [option](const Rule& rule) { return rule.option == option; });
    return found == std::end(Rules) ? nullptr : found;
}

}  // namespace

std::vector<std::string> TranslateGeneratedOptions(std::string_view generated,
                                                   const EmulatorFacts& facts,
                                                   const std::string& programFolder) {
    const std::vector<std::string_view> words = Words(generated);
    std::vector<Group> translated;
    for (std::size_t i = 0; i < words.size();) {
        const Rule* rule = RuleFor(words[i]);
        Group group{std::string(words[i++])};
        if (rule != nullptr) {
            // A value the builder left out (a list without a selection) reads as empty.
            for (int v = 0; v < rule->values; ++v, ++i) {
                group.emplace_back(i < words.size() ? words[i] : std::string_view());
            }
        } else {
            for (; i < words.size() && !words[i].starts_with('-'); ++i) {
                group.emplace_back(words[i]);
            }
        }
        Translate(rule, std::move(group), translated, facts, programFolder);
    }

    std::vector<std::string> arguments;
    for (Group& group : translated) {
        const std::string_view option = group.front();
        if (!facts.Accepts(option.substr(1))) {
            continue;
        }
        std::move(group.begin(), group.end(), std::back_inserter(arguments));
    }
    return arguments;
}

}  // namespace kestrun
