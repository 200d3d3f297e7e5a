#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "launch/background_facts_source.h"
#include "launch/background_game_info.h"
#include "launch/emulator_facts.h"
#include "launch/emulator_facts_cache.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A stand-in emulator: a script in the program folder that notes each option it is asked.
class BackgroundQueryTest : public ::testing::Test {
  protected:
    std::string Emulator(const std::string& body) const {
        const std::string path =
            program.WriteFile("mame", "#!/bin/sh\necho \"$1\" >> \"$0.runs\"\n" + body);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }
    // Asks a fresh source, so only the cache can spare the questions.
    EmulatorFacts AskAnew(const std::string& executable) const {
        BackgroundFactsSource source(cache.Path());
        source.Prepare(executable, program.Path());
        const EmulatorFacts facts = source.FactsFor(executable, program.Path(), waiter);
        EXPECT_EQ(source.KnownFacts(executable), facts);
        return facts;
    }
    long Runs() const {
        std::ifstream file(program.Path() + "mame.runs");
        return std::count(std::istreambuf_iterator<char>(file), {}, '\n');
    }

    testing::TempFolder program;
    testing::TempFolder cache;
    mutable BlockingProcessWaiter waiter;
};

TEST_F(BackgroundQueryTest, FactsAreAskedAgainOnlyWhenTheEmulatorsFileHasChanged) {
    const std::string mame = Emulator(
        "case \"$1\" in\n"
        "  -version) echo '0.251 (unknown)' ;;\n"
        "  -showusage) echo '-readconfig          enable loading' ;;\n"
        "  -showconfig) printf 'homepath  .\\nbgfx_path\\nctrlrpath  \"/usr/my ctrlr\"\\n' ;;\n"
        "esac\n");
    const EmulatorFacts expected{.version = "0.251",
                                 .options = {"readconfig"},
                                 .searchPaths = {{"ctrlrpath", "/usr/my ctrlr"}}};
    EXPECT_EQ(AskAnew(mame), expected);
    EXPECT_EQ(AskAnew(mame), expected);
    EXPECT_EQ(Runs(), 3);
    const timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};  // the same size, another time
    ASSERT_EQ(::utimensat(AT_FDCWD, mame.c_str(), times, 0), 0);
    EXPECT_EQ(AskAnew(mame), expected);
    EXPECT_EQ(Runs(), 6);
}

bool Alive(const std::string& pidFile) {
    std::ifstream pid(pidFile);
    std::string number, ignored, state;
    pid >> number;
    std::ifstream stat("/proc/" + number + "/stat");
    // A killed grandchild may linger as a zombie until its new parent collects it.
    return !number.empty() && stat >> ignored >> ignored >> state && state != "Z";
}

TEST_F(BackgroundQueryTest, AQueryIsBoundedInTimeAndOutput) {
    // A grandchild that would hang on is killed with its parent.
    const std::string hanging = Emulator("sleep 30 &\necho $! > \"$0.pid\"\nwait\n");
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(QueryEmulator(hanging, "-version", program.Path(), {300ms}, -1).finished);
    EXPECT_LT(Clock::now() - start, 3s);
    for (int i = 0; i < 100 && Alive(hanging + ".pid"); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(Alive(hanging + ".pid"));

    const std::string talkative = Emulator("head -c 300000 /dev/zero\nexit 3\n");
    const QueryResult flood =
        QueryEmulator(talkative, "-showusage", program.Path(), {5s, 65536}, -1);
    EXPECT_TRUE(flood.finished);
    EXPECT_EQ(flood.status, 3);
    EXPECT_EQ(flood.output.size(), 65536u);
}

TEST(EmulatorFacts, ReadsTheVersionOnlyWhereItStartsTheFirstLine) {
    const std::pair<const char*, const char*> cases[] = {{"0.251 (unknown)\n", "0.251"},
                                                         {"  0.78.1\r\n", "0.78.1"},
                                                         {"0.251", "0.251"},
                                                         {"MAME v0.78 (Jan 2004)\n", ""},
                                                         {"\n0.251\n", ""},
                                                         {"251 (unknown)", ""},
                                                         {"0. (x)", ""}};
    for (const auto& [output, version] : cases) {
        EXPECT_EQ(ParseVersion(output), version) << output;
    }
}

// A cache file is trusted only whole. Output of a program that is not MAME, and a cache file
// someone else wrote, are read without crashing, hanging or growing beyond what they hold.
TEST(EmulatorFacts, CachedFactsAreTrustedOnlyWholeAndHostileTextIsReadSafely) {
    const ExecutableIdentity identity{"/x", 1, 1};
    const EmulatorFacts facts{
        .version = "0.1", .options = {"a", "b"}, .searchPaths = {{"a", "b c"}}};
    const std::string valid = SerializeFacts(identity, facts);
    EXPECT_EQ(ParseCachedFacts(valid, identity), facts);
    EXPECT_FALSE(ParseCachedFacts(valid.substr(0, valid.size() - 1), identity));
    EXPECT_FALSE(ParseCachedFacts(valid + "extra line\n", identity));
    const std::string status = "kestrun rom status 1\npacman 2 5 0.251\nincomplete\na.1\nb.2\n";
    EXPECT_EQ(ParseCachedStatus(status, "pacman 2 5 0.251"), (RomStatus{false, {"a.1", "b.2"}}));
    EXPECT_FALSE(ParseCachedStatus(status.substr(0, status.size() - 1), "pacman 2 5 0.251"));
    EXPECT_FALSE(ParseCachedStatus(status, "pacman 2 6 0.251"));
    std::mt19937 random(12345);
    for (int round = 0; round < 2000; ++round) {
        std::string text = round % 3 == 0 ? valid : round % 3 == 1 ? status : std::string();
        for (std::size_t changes = 1 + random() % 16; changes > 0; --changes) {
            const char byte = static_cast<char>(random() % 8 == 0 ? '\n' : random() % 256);
            text.insert(text.begin() + static_cast<long>(random() % (text.size() + 1)), byte);
            text.erase(random() % text.size(), random() % 2);
        }
        const std::vector<std::string> names = ParseUsage(text);
        EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
        EXPECT_LE(ParseVersion(text).size(), text.size());
        EXPECT_LE(ParseSearchPaths(text).size(), SearchPathSettings.size());
        const auto cached = ParseCachedStatus(text, "pacman 2 5 0.251");
        EXPECT_TRUE(!cached || cached->badFiles.size() <= text.size());
        if (const auto parsed = ParseCachedFacts(text, identity)) {
            EXPECT_TRUE(std::is_sorted(parsed->options.begin(), parsed->options.end()));
        }
    }
}

}  // namespace
}  // namespace kestrun
