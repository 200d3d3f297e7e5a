#include "bench/startup/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <vector>

extern char** environ;

namespace kestrun::bench {

namespace {

constexpr int StartTimeoutMs = 10'000;

// Reads the display number the server writes once it accepts clients, up to its line end.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    char c = 0;
    while (number.size() < 16) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, StartTimeoutMs) <= 0 || ::read(fd, &c, 1) != 1 || c == '\n') {
            break;
        }
        number += c;
    }
    return number;
}

}  // namespace

XvfbServer::XvfbServer() {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot make a pipe for Xvfb");
    }
    const std::string writeFd = std::to_string(pipeFds[1]);
    // The write end is handed to the server under its own number, without close-on-exec.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], pipeFds[1]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> words = {"Xvfb", "-displayfd", writeFd, "-nolisten",
                                      "tcp",  "-screen",    "0",     "1280x1024x24"};
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const int spawned = ::posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        throw std::runtime_error("cannot start Xvfb (is it installed?)");
    }
    const std::string number = ReadDisplayNumber(pipeFds[0]);
    ::close(pipeFds[0]);
    if (number.empty()) {
        throw std::runtime_error("Xvfb did not start");
    }
    display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

}  // namespace kestrun::bench
