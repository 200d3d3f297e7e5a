#include "launch/emulator_query.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "platform/child_process.h"

namespace kestrun {
namespace {

using Clock = std::chrono::steady_clock;

// The read end of the child's output pipe and what came through it.
class OutputReader {
  public:
    OutputReader(int fd, std::size_t limit) : fd_(fd), limit_(limit) {}
    ~OutputReader() { Close(); }
    OutputReader(const OutputReader&) = delete;
    OutputReader& operator=(const OutputReader&) = delete;

    int Fd() const { return fd_; }
    bool Open() const { return fd_ >= 0; }
    std::string& Output() { return output_; }

    // Reads what is there; closes the pipe at its end or on an error.
    void ReadAvailable() {
        std::array<char, 4096> chunk;
        const ssize_t count = ::read(fd_, chunk.data(), chunk.size());
        if (count < 0 && (errno == EINTR || errno == EAGAIN)) {
            return;
        }
        if (count <= 0) {
            Close();
            return;
        }
        const std::size_t room = limit_ - output_.size();
        output_.append(chunk.data(), std::min(room, static_cast<std::size_t>(count)));
    }

  private:
    void Close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

    int fd_;
    std::size_t limit_;
    std::string output_;
};

bool Readable(const pollfd& watched) {
    return (watched.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

// Waits for the child and its output until both have ended; false when time ran out or the
// query was cancelled first. Output that a grandchild keeps coming after the child has ended
// is not waited for.
bool Collect(OutputReader& reader, int processFd, int cancelFd, Clock::time_point deadline) {
    bool ended = false;
    while (reader.Open() || !ended) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        std::array<pollfd, 3> watched{
            {{reader.Fd(), POLLIN, 0}, {ended ? -1 : processFd, POLLIN, 0}, {cancelFd, POLLIN, 0}}};
        const int ready =
            ::poll(watched.data(), watched.size(), ended ? 0 : static_cast<int>(left.count()));
        if (ready < 0 && errno != EINTR) {
            return false;
        }
        if (ready == 0 && ended) {
            return true;
        }
        if (Readable(watched[2])) {
            return false;
        }
        if (Readable(watched[0])) {
            reader.ReadAvailable();
        }
        ended = ended || Readable(watched[1]);
    }
    return true;
}

}  // namespace

QueryResult QueryEmulator(const std::string& executable, std::string_view option,
                          const std::string& folder, const QueryLimits& limits, int cancelFd) {
    return QueryEmulator(executable, std::vector<std::string>{std::string(option)}, folder, limits,
                         cancelFd);
}

QueryResult QueryEmulator(const std::string& executable, const std::vector<std::string>& arguments,
                          const std::string& folder, const QueryLimits& limits, int cancelFd) {
    const Clock::time_point deadline = Clock::now() + limits.time;
    std::array<int, 2> pipe{-1, -1};
    if (::pipe2(pipe.data(), O_CLOEXEC) != 0) {
        return {};
    }
    ChildLaunch launch;
    launch.executable = executable;
    launch.arguments = {executable};
    launch.arguments.insert(launch.arguments.end(), arguments.begin(), arguments.end());
    launch.workingFolder = folder;
    launch.outputFd = pipe[1];
    // A session of its own: a kill reaches whatever it started as well.
    launch.newSession = true;
    launch.inputFromNull = true;
    const SpawnResult started = SpawnChild(launch);
    ::close(pipe[1]);
    OutputReader reader(pipe[0], limits.outputBytes);
    if (started.error != 0) {
        return {};
    }

    const int processFd = OpenProcessFd(started.pid);
    const bool finished = processFd >= 0 && Collect(reader, processFd, cancelFd, deadline);
    if (!finished) {
        ::kill(-started.pid, SIGKILL);
        ::kill(started.pid, SIGKILL);
    }
    if (processFd >= 0) {
        ::close(processFd);
    }
    const RunOutcome outcome = ReapChild(started.pid);
    const int exitCode = outcome.kind == RunOutcome::Kind::Exited ? outcome.value : -1;
    return {finished, exitCode, std::move(reader.Output())};
}

GatheredFacts GatherEmulatorFacts(const std::string& executable, const std::string& folder,
                                  const QueryLimits& limits, int cancelFd) {
    const auto ask = [&](std::string_view option) {
        return QueryEmulator(executable, option, folder, limits, cancelFd);
    };
    const QueryResult version = ask("-version");
    GatheredFacts gathered;
    if (!version.finished) {
        return gathered;
    }
    gathered.complete = true;
    if (version.status == 0) {
        gathered.facts.version = ParseVersion(version.output);
    }
    if (!gathered.facts.IsCurrentMame()) {
        return gathered;
    }
    const QueryResult usage = ask("-showusage");
    const QueryResult config = ask("-showconfig");
    gathered.complete = usage.finished && config.finished;
    if (usage.finished) {
        gathered.facts.options = ParseUsage(usage.output);
    }
    if (config.finished) {
        gathered.facts.searchPaths = ParseSearchPaths(config.output);
    }
    return gathered;
}

}  // namespace kestrun
