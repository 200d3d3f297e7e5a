#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "launch/background_facts_source.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using namespace std::chrono_literals;
using testing::TempFolder;
using Clock = std::chrono::steady_clock;

// A stand-in emulator: a script in the program folder that notes each option it is asked.
class FactsSourceTest : public ::testing::Test {
  protected:
    std::string Emulator(const std::string& body) const {
        const std::string path =
            program.WriteFile("mame", "#!/bin/sh\necho \"$1\" >> \"$0.runs\"\n" + body);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }
    long Runs() const {
        std::ifstream file(program.Path() + "mame.runs");
        return std::count(std::istreambuf_iterator<char>(file), {}, '\n');
    }
    EmulatorFacts AskAnew(const std::string& executable) const {
        BackgroundFactsSource source(cache.Path());
        source.Prepare(executable, program.Path());
        return source.FactsFor(executable, program.Path(), waiter);
    }

    TempFolder program;
    TempFolder cache;
    mutable BlockingProcessWaiter waiter;
};

constexpr const char* CurrentMame =
    "case \"$1\" in\n"
    "  -version) echo '0.251 (unknown)' ;;\n"
    "  -showusage) echo '-readconfig          enable loading' ;;\n"
    "  -showconfig) echo 'ctrlrpath                 /usr/ctrlr' ;;\n"
    "esac\n";

TEST_F(FactsSourceTest, AsksTheEmulatorAgainOnlyWhenItsFileHasChanged) {
    const std::string mame = Emulator(CurrentMame);
    const EmulatorFacts expected{.version = "0.251",
                                 .options = {"readconfig"},
                                 .searchPaths = {{"ctrlrpath", "/usr/ctrlr"}}};
    {
        BackgroundFactsSource source(cache.Path());
        source.Prepare(mame, program.Path());
        EXPECT_EQ(source.FactsFor(mame, program.Path(), waiter), expected);
        EXPECT_EQ(source.FactsFor(mame, program.Path(), waiter), expected);
        EXPECT_EQ(source.KnownFacts(mame), expected);
    }
    EXPECT_EQ(Runs(), 3);
    EXPECT_EQ(AskAnew(mame), expected);
    EXPECT_EQ(Runs(), 3);

    // The same size at another time, then another size.
    const timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, mame.c_str(), times, 0), 0);
    EXPECT_EQ(AskAnew(mame), expected);
    EXPECT_EQ(Runs(), 6);
    std::ofstream(mame, std::ios::app) << "# changed\n";
    EXPECT_EQ(AskAnew(mame), expected);
    EXPECT_EQ(Runs(), 9);
}

// Anything that does not answer -version with a number is asked nothing more, and that too
// is remembered.
TEST_F(FactsSourceTest, AProgramThatIsNotACurrentMameIsAskedOnce) {
    const std::string other = Emulator("echo 'Unknown option -version'\nexit 1\n");
    EXPECT_EQ(AskAnew(other), EmulatorFacts{});
    EXPECT_EQ(AskAnew(other), EmulatorFacts{});
    EXPECT_EQ(Runs(), 1);
    EXPECT_EQ(AskAnew(program.Path() + "missing"), EmulatorFacts{});
}

bool Alive(const std::string& pidFile) {
    std::ifstream pid(pidFile);
    std::string number;
    pid >> number;
    std::ifstream stat("/proc/" + number + "/stat");
    std::string ignored, state;
    // A killed grandchild may linger as a zombie until its new parent collects it.
    return !number.empty() && stat >> ignored >> ignored >> state && state != "Z";
}

TEST_F(FactsSourceTest, AQueryIsBoundedInTimeAndOutput) {
    // A grandchild that would hang on is killed with its parent.
    const std::string hanging = Emulator("sleep 30 &\necho $! > \"$0.pid\"\nwait\n");
    const Clock::time_point start = Clock::now();
    const QueryResult hung = QueryEmulator(hanging, "-version", program.Path(), {300ms}, -1);
    EXPECT_FALSE(hung.finished);
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

TEST_F(FactsSourceTest, ClosingDuringAQueryStopsItAtOnce) {
    const std::string hanging = Emulator("exec sleep 30\n");
    const Clock::time_point start = Clock::now();
    {
        BackgroundFactsSource source(cache.Path(), {30s});
        source.Prepare(hanging, program.Path());
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_LT(Clock::now() - start, 3s);
    // An answer cut short is not kept.
    EXPECT_TRUE(std::filesystem::is_empty(cache.Path()));
}

}  // namespace
}  // namespace kestrun
