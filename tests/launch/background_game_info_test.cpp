#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "launch/background_game_info.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using namespace std::chrono_literals;
using testing::TempFolder;

// A stand-in MAME that notes each question; "slow" takes its time to be verified.
constexpr const char* ScriptedMame =
    "#!/bin/sh\necho \"$1\" >> \"$0.runs\"\n"
    "case \"$1\" in\n"
    "  -listfull) printf 'Name:             Description:\\n"
    "pacman           \"Pac-Man (Midway)\"\\n' ;;\n"
    "  -verifyroms) [ \"$2\" = slow ] && sleep 20\n"
    "    echo \"$2        : $2.6e (4096 bytes) - NOT FOUND\"; exit 2 ;;\n"
    "esac\n";

class BackgroundGameInfoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mame = program.WriteFile("mame", ScriptedMame);
        std::filesystem::permissions(mame, std::filesystem::perms::owner_all);
    }
    int Runs() const {
        std::ifstream file(mame + ".runs");
        int lines = 0;
        for (std::string line; std::getline(file, line);) {
            ++lines;
        }
        return lines;
    }
    template <typename Take>
    static auto WaitFor(Take take) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        auto taken = take();
        while (!taken && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(5ms);
            taken = take();
        }
        return taken;
    }
    std::shared_ptr<const GameNames> Names(const std::string& version) const {
        BackgroundGameInfo info(cache.Path());
        info.RequestNames(mame, program.Path(), version);
        return WaitFor([&] { return info.TakeNames(); });
    }
    std::optional<BackgroundGameInfo::SetStatus> Status(const std::string& set) const {
        BackgroundGameInfo info(cache.Path());
        info.RequestStatus(mame, program.Path(), "0.251", set, program.Path() + set + ".zip");
        return WaitFor([&] { return info.TakeStatus(); });
    }

    TempFolder program;
    TempFolder cache;
    std::string mame;
};

TEST_F(BackgroundGameInfoTest, TheListingIsAskedOncePerVersion) {
    const auto names = Names("0.251");
    ASSERT_TRUE(names);
    EXPECT_EQ(names->FullNameOf("pacman"), "Pac-Man (Midway)");
    ASSERT_TRUE(Names("0.251"));
    EXPECT_EQ(Runs(), 1);
    EXPECT_EQ(Names("0.252")->Count(), 1u);
    EXPECT_EQ(Runs(), 2);
    // A version that could name another file is never kept.
    Names("../x");
    Names("../x");
    EXPECT_EQ(Runs(), 4);
}

TEST_F(BackgroundGameInfoTest, AStatusIsAskedAgainOnlyWhenTheSetFileChanges) {
    const std::string set = program.WriteFile("pacman.zip", "PK");
    const RomStatus missing{false, {"pacman.6e"}};
    EXPECT_EQ(Status("pacman")->status, missing);
    EXPECT_EQ(Status("pacman")->status, missing);
    EXPECT_EQ(Runs(), 1);
    const timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, set.c_str(), times, 0), 0);
    EXPECT_EQ(Status("pacman")->status, missing);
    EXPECT_EQ(Runs(), 2);

    // No file, no question.
    const auto absent = Status("galaga");
    ASSERT_TRUE(absent);
    EXPECT_FALSE(absent->status);
    EXPECT_EQ(Runs(), 2);
}

TEST_F(BackgroundGameInfoTest, ANewerStatusRequestStopsTheOlderOne) {
    program.WriteFile("slow.zip", "PK");
    program.WriteFile("dkong.zip", "PK");
    const auto started = std::chrono::steady_clock::now();
    BackgroundGameInfo info(cache.Path());
    info.RequestStatus(mame, program.Path(), "0.251", "slow", program.Path() + "slow.zip");
    std::this_thread::sleep_for(100ms);
    info.RequestStatus(mame, program.Path(), "0.251", "dkong", program.Path() + "dkong.zip");
    const auto checked = WaitFor([&] { return info.TakeStatus(); });
    ASSERT_TRUE(checked);
    EXPECT_EQ(checked->setName, "dkong");
    EXPECT_FALSE(info.TakeStatus());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
}

TEST(CachedStatusTest, OnlyAWholeFileForTheSameKeyIsTrusted) {
    constexpr std::string_view Key = "pacman 2 5 0.251";
    const struct {
        std::string_view text;
        std::optional<RomStatus> expected;
    } cases[] = {
        {"kestrun rom status 1\npacman 2 5 0.251\ncomplete\n", RomStatus{}},
        {"kestrun rom status 1\npacman 2 5 0.251\nincomplete\na.1\nb.2\n",
         RomStatus{false, {"a.1", "b.2"}}},
        {"kestrun rom status 1\npacman 2 5 0.251\nincomplete\na.1", std::nullopt},
        {"kestrun rom status 1\npacman 2 6 0.251\ncomplete\n", std::nullopt},
        {"kestrun rom status 2\npacman 2 5 0.251\ncomplete\n", std::nullopt},
        {"kestrun rom status 1\npacman 2 5 0.251\nfine\n", std::nullopt},
        {"kestrun rom status 1\npacman 2 5 0.251\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseCachedStatus(text, Key), expected) << text;
    }
}

}  // namespace
}  // namespace kestrun
