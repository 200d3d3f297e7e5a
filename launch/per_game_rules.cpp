#include "launch/per_game_rules.h"

#include <algorithm>
#include <array>

#include "platform/file_system.h"
#include "platform/paths.h"

namespace kestrun {
namespace {

enum class Match { Exact, Prefix };

struct GameNameRule {
    std::string_view name;
    Match match;
};

constexpr std::array<GameNameRule, 38> VectorGames{{
    {"alphaon", Match::Prefix}, {"armora", Match::Prefix},  {"asteroi", Match::Prefix},
    {"astdelu", Match::Prefix}, {"aztarac", Match::Exact},  {"barrier", Match::Exact},
    {"boxingb", Match::Exact},  {"bwidow", Match::Exact},   {"bzone", Match::Prefix},
    {"cchasm", Match::Prefix},  {"demon", Match::Exact},    {"elim", Match::Prefix},
    {"esb", Match::Exact},      {"gravit", Match::Prefix},  {"llander", Match::Prefix},
    {"mhavoc", Match::Prefix},  {"omegrace", Match::Exact}, {"quantum", Match::Prefix},
    {"redbaron", Match::Exact}, {"ripoff", Match::Exact},   {"solarq", Match::Exact},
    {"spacduel", Match::Exact}, {"spacewar", Match::Exact}, {"spacfur", Match::Prefix},
    {"speedfrk", Match::Exact}, {"starcas", Match::Prefix}, {"starhawk", Match::Exact},
    {"startrek", Match::Exact}, {"starwar", Match::Prefix}, {"stellcas", Match::Exact},
    {"sundance", Match::Exact}, {"tacscan", Match::Exact},  {"tailg", Match::Exact},
    {"tempest", Match::Prefix}, {"temptube", Match::Exact}, {"warrior", Match::Exact},
    {"wotw", Match::Exact},     {"zektor", Match::Exact},
}};

constexpr std::array<GameNameRule, 35> SoundGames{{
    {"bloodbro", Match::Exact}, {"weststry", Match::Exact}, {"cabal", Match::Prefix},
    {"paperboy", Match::Exact}, {"720", Match::Prefix},     {"indytem", Match::Prefix},
    {"rbibb", Match::Exact},    {"balonfgt", Match::Exact}, {"vsbball", Match::Exact},
    {"btlecity", Match::Exact}, {"cstlevna", Match::Exact}, {"cluclu", Match::Exact},
    {"drmario", Match::Exact},  {"duckhunt", Match::Exact}, {"excitebk", Match::Exact},
    {"vsgradus", Match::Exact}, {"hogalley", Match::Exact}, {"iceclimb", Match::Exact},
    {"iceclmrj", Match::Exact}, {"machridr", Match::Exact}, {"vsmahjng", Match::Exact},
    {"vspinbal", Match::Exact}, {"platoon", Match::Exact},  {"vsslalom", Match::Exact},
    {"vssoccer", Match::Exact}, {"starlstr", Match::Exact}, {"ladygolf", Match::Exact},
    {"smgolf", Match::Exact},   {"suprmrio", Match::Exact}, {"vsskykid", Match::Exact},
    {"tkoboxng", Match::Exact}, {"vstennis", Match::Exact}, {"vstetris", Match::Exact},
    {"goonies", Match::Exact},  {"wrecking", Match::Exact},
}};

template <std::size_t Size>
bool AnyMatches(const std::array<GameNameRule, Size>& rules, std::string_view lookupName) {
    return std::any_of(rules.begin(), rules.end(), [lookupName](const GameNameRule& rule) {
        return rule.match == Match::Exact ? lookupName == rule.name
                                          : lookupName.starts_with(rule.name);
    });
}

constexpr std::string_view ArchiveEnding = ".zip";

}  // namespace

std::string LookupNameOf(std::string_view gameText) {
    std::string name(BaseNameOf(gameText));
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return name;
}

bool IsVectorGame(std::string_view lookupName) {
    return AnyMatches(VectorGames, lookupName);
}

bool RequiresSound(std::string_view lookupName) {
    return AnyMatches(SoundGames, lookupName);
}

bool HasArtworkArchive(const std::string& programFolder, std::string_view lookupName) {
    std::string path = programFolder + "artwork" + PathSeparator + std::string(lookupName);
    if (!lookupName.ends_with(ArchiveEnding)) {
        path += ArchiveEnding;
    }
    return FileExists(path);
}

MessageBoxRequest SoundRefusal(std::string_view lookupName) {
    return {
        .text = "This game cannot run properly without sound.\nPlease enable sound and try again.",
        .caption = std::string(lookupName),
        .buttons = MessageButtons::Ok,
        .icon = MessageIcon::Exclamation};
}

}  // namespace kestrun
