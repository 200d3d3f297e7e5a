#include "launch/emulator_facts.h"

#include <gtest/gtest.h>

#include <random>

#include "launch/emulator_facts_cache.h"

namespace kestrun {
namespace {

TEST(EmulatorFacts, ReadsTheVersionOnlyWhereItStartsTheFirstLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"0.251 (unknown)\n", "0.251"},
        {"  0.78.1\r\n", "0.78.1"},
        {"0.251", "0.251"},
        {"MAME v0.78 (Jan 2004)\n", ""},
        {"\n0.251\n", ""},
        {"251 (unknown)", ""},
        {"0. (x)", ""},
        {"", ""},
    };
    for (const auto& [output, version] : cases) {
        EXPECT_EQ(ParseVersion(output), version) << output;
    }
}

TEST(EmulatorFacts, ListsUsageNamesAndTheWantedSearchPaths) {
    const EmulatorFacts facts{
        .version = "0.251",
        .options = ParseUsage("Usage:  mame [machine] [options]\n\n#\n# CORE\n#\n"
                              "-readconfig          enable loading of configuration files\n"
                              "-samplerate          set sound output sample rate\n"
                              "-filter              use bilinear filtering\n"
                              "-readconfig          listed twice\n- stray\n"),
        .searchPaths = ParseSearchPaths("homepath                  .\n"
                                        "artpath                   $HOME/mame/artwork;/usr/art\n"
                                        "ctrlrpath                 \"/my ctrlr\"\n"
                                        "bgfx_path\n"
                                        "pluginspath\t/usr/plugins   \r\n"),
    };
    EXPECT_EQ(facts.options, (std::vector<std::string>{"filter", "readconfig", "samplerate"}));
    EXPECT_EQ(facts.searchPaths, (std::map<std::string, std::string, std::less<>>{
                                     {"artpath", "$HOME/mame/artwork;/usr/art"},
                                     {"ctrlrpath", "/my ctrlr"},
                                     {"pluginspath", "/usr/plugins"}}));
    // Short names and "no" forms count as the options they stand for.
    for (const char* accepted : {"readconfig", "norc", "rc", "sr", "nofilter", "filter"}) {
        EXPECT_TRUE(facts.Accepts(accepted)) << accepted;
    }
    for (const char* refused : {"skip_disclaimer", "nosr2", "no", "r", ""}) {
        EXPECT_FALSE(facts.Accepts(refused)) << refused;
    }
}

TEST(EmulatorFactsCache, GivesBackOnlyWhatWasWrittenForTheSameFile) {
    const ExecutableIdentity identity{"/usr/games/mame", 12345, 1700000000123456789};
    const EmulatorFacts facts{.version = "0.251",
                              .options = {"artpath", "readconfig"},
                              .searchPaths = {{"artpath", "a b;c"}}};
    const std::string text = SerializeFacts(identity, facts);
    EXPECT_EQ(ParseCachedFacts(text, identity), facts);

    ExecutableIdentity changed = identity;
    changed.modifiedNs += 1;
    EXPECT_FALSE(ParseCachedFacts(text, changed));
    changed = identity;
    changed.size -= 1;
    EXPECT_FALSE(ParseCachedFacts(text, changed));
    EXPECT_FALSE(ParseCachedFacts(text.substr(0, text.size() - 1), identity));
    EXPECT_FALSE(ParseCachedFacts(text + "extra line\n", identity));
}

// Output of a program that is not MAME, and a cache file someone else wrote, are read without
// crashing, hanging or growing beyond what they hold.
TEST(EmulatorFacts, HostileTextIsReadSafely) {
    const ExecutableIdentity identity{"/x", 1, 1};
    const std::string valid = SerializeFacts(identity, {.version = "0.1", .options = {"a", "b"}});
    std::mt19937 random(12345);
    for (int round = 0; round < 2000; ++round) {
        std::string text = round % 2 == 0 ? valid : std::string();
        const std::size_t changes = 1 + random() % 16;
        for (std::size_t i = 0; i < changes; ++i) {
            const char byte = static_cast<char>(random() % 8 == 0 ? '\n' : random() % 256);
            if (!text.empty() && random() % 2 == 0) {
                text[random() % text.size()] = byte;
            } else {
                text.insert(text.begin() + static_cast<long>(random() % (text.size() + 1)), byte);
            }
        }
        const std::vector<std::string> names = ParseUsage(text);
        EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
        EXPECT_LE(ParseVersion(text).size(), text.size());
        EXPECT_LE(ParseSearchPaths(text).size(), SearchPathSettings.size());
        if (const auto parsed = ParseCachedFacts(text, identity)) {
            EXPECT_TRUE(std::is_sorted(parsed->options.begin(), parsed->options.end()));
        }
    }
}

}  // namespace
}  // namespace kestrun
