// What Exit costs in profile writes: the history (ten entries and the box's text) and the 21
// main-window options written as the close sequence writes them, against one atomic write
// (with its sync) of the very file they give, and against the profile's store of a single
// value, as a menu choice makes it. The same writes stored one by one show what the close
// would cost without its batch. The profile lives in a temporary folder beside the user's own
// configuration folder, on the disk it would sync.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/support/fastest_recorder.h"
#include "bench/support/vector_game_box.h"
#include "games/game_history.h"
#include "options/launch_options.h"
#include "platform/atomic_file.h"
#include "platform/qt_profile_store.h"
#include "tests/support/scripted_message_box.h"

namespace kestrun {
namespace {

constexpr std::string_view HistoryPrefix = "RomSet";

// Removed with everything in it when the run ends.
class ConfigFolder {
  public:
    ConfigFolder() {
        const char* config = std::getenv("XDG_CONFIG_HOME");
        const char* home = std::getenv("HOME");
        const std::string base = config != nullptr && *config == '/' ? config
                                 : home != nullptr ? std::string(home) + "/.config"
                                                   : "/tmp";
        std::filesystem::create_directories(base);
        path_ = base + "/kestrun-bench-XXXXXX";
        if (::mkdtemp(path_.data()) == nullptr) {
            path_.clear();
        }
    }
    ~ConfigFolder() {
        std::error_code ignored;
        if (!path_.empty()) {
            std::filesystem::remove_all(path_, ignored);
        }
    }
    ConfigFolder(const ConfigFolder&) = delete;
    ConfigFolder& operator=(const ConfigFolder&) = delete;

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

// The profile as the close sequence finds it after a while of use.
struct ClosingProfile {
    explicit ClosingProfile(MessageBoxService& messages)
        : store(QStringLiteral("kestrun"), messages), history(store, box) {
        for (int i = 0; i < GameHistory::HistoryLimit; ++i) {
            store.WriteProfileString(ProfileSection, std::string(HistoryPrefix) + std::to_string(i),
                                     "game" + std::to_string(i));
        }
        store.WriteProfileString(ProfileSection, HistoryPrefix, "game0");
        history.LoadHistory(ProfileSection, HistoryPrefix, true);
        options = LoadLaunchOptions(store);
    }

    void WriteAsTheCloseDoes() {
        history.SaveHistory();
        SaveLaunchOptions(store, options);
    }

    QtProfileStore store;
    testing::VectorGameBox box;
    GameHistory history;
    LaunchOptions options;
};

void ExitWritesInOneBatch(benchmark::State& state, ClosingProfile* profile) {
    for (auto _ : state) {
        const ProfileWriteBatch batch(profile->store);
        profile->WriteAsTheCloseDoes();
    }
}

void ExitStoresEachWrite(benchmark::State& state, ClosingProfile* profile) {
    for (auto _ : state) {
        profile->WriteAsTheCloseDoes();
    }
}

void OneValueStored(benchmark::State& state, ClosingProfile* profile) {
    for (auto _ : state) {
        profile->store.WriteProfileInt(ProfileSection, "LoFi", 1);
    }
}

void OneAtomicWrite(benchmark::State& state, const std::string* file, const std::string* bytes) {
    for (auto _ : state) {
        if (WriteFileAtomically(*file, *bytes, 0644) != 0) {
            state.SkipWithError("the file could not be written");
            return;
        }
    }
}

ino_t InodeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

}  // namespace
}  // namespace kestrun

int main(int argc, char** argv) {
    using namespace kestrun;
    benchmark::Initialize(&argc, argv);
    const ConfigFolder folder;
    if (folder.Path().empty()) {
        std::printf("cannot create a temporary configuration folder\n");
        return 1;
    }
    // Before the first profile is opened: Qt fixes the folder then.
    ::setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
    testing::ScriptedMessageBox messages;
    ClosingProfile profile(messages);
    const std::string file = profile.store.FileName().toStdString();
    const std::string profileBytes = [&] {
        const ino_t before = InodeOf(file);
        {
            const ProfileWriteBatch batch(profile.store);
            profile.WriteAsTheCloseDoes();
        }
        QFile written(QString::fromStdString(file));
        return InodeOf(file) != before && written.open(QIODevice::ReadOnly)
                   ? written.readAll().toStdString()
                   : std::string();
    }();
    if (profileBytes.empty() || !messages.Shown().empty()) {
        std::printf("the close did not replace the profile file %s\n", file.c_str());
        return 1;
    }
    const std::string copy = folder.Path() + "/copy.ini";
    for (auto* bench : {
             benchmark::RegisterBenchmark("OneAtomicWrite", OneAtomicWrite, &copy, &profileBytes),
             benchmark::RegisterBenchmark("OneValueStored", OneValueStored, &profile),
             benchmark::RegisterBenchmark("ExitWritesInOneBatch", ExitWritesInOneBatch, &profile),
             benchmark::RegisterBenchmark("ExitStoresEachWrite", ExitStoresEachWrite, &profile),
         }) {
        RepeatForFastest(bench->UseRealTime());
    }
    FastestRecorder reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double atomic = reporter.fastestWallTime["OneAtomicWrite"];
    const double oneValue = reporter.fastestWallTime["OneValueStored"];
    const double batched = reporter.fastestWallTime["ExitWritesInOneBatch"];
    const double eachStored = reporter.fastestWallTime["ExitStoresEachWrite"];
    if (atomic <= 0 || oneValue <= 0 || batched <= 0 || eachStored <= 0) {
        std::printf("ratios not computed: run every benchmark (no filter)\n");
        return 0;
    }
    std::printf("Exit's profile writes / one atomic write of the file: %.2f\n", batched / atomic);
    std::printf("Exit's profile writes / the store of one value: %.2f (target at most 1.20)\n",
                batched / oneValue);
    std::printf("the same writes each stored at once / one atomic write: %.2f\n",
                eachStored / atomic);
    return 0;
}
