#include "bench/startup/helper_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

extern char** environ;

namespace kestrun::bench {

namespace {

constexpr int StartTimeoutMs = 10'000;
constexpr std::string_view FdMark = "{fd}";

std::string ReadLine(int fd) {
    std::string line;
    char c = 0;
    while (line.size() < 4096) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, StartTimeoutMs) <= 0 || ::read(fd, &c, 1) != 1 || c == '\n') {
            break;
        }
        line += c;
    }
    return line;
}

}  // namespace

HelperServer::HelperServer(std::vector<std::string> argv) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot make a pipe for " + argv.front());
    }
    for (std::string& word : argv) {
        if (word.ends_with(FdMark)) {
            word.replace(word.size() - FdMark.size(), FdMark.size(), std::to_string(pipeFds[1]));
        }
    }
    // The write end reaches the server under its own number, without close-on-exec.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], pipeFds[1]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> words;
    for (std::string& word : argv) {
        words.push_back(word.data());
    }
    words.push_back(nullptr);
    const int spawned =
        ::posix_spawnp(&pid_, argv.front().c_str(), &actions, nullptr, words.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        throw std::runtime_error("cannot start " + argv.front() + " (is it installed?)");
    }
    address_ = ReadLine(pipeFds[0]);
    ::close(pipeFds[0]);
    if (address_.empty()) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        throw std::runtime_error(argv.front() + " did not start");
    }
}

HelperServer::~HelperServer() {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
}

}  // namespace kestrun::bench
