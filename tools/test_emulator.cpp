// A stand-in for the emulator in tests and benchmarks. The launcher decides its arguments,
// so everything it does is chosen through environment variables:
//   TEST_EMULATOR_RECORD           file for the record (default: its own path + ".record")
//   TEST_EMULATOR_STDOUT_BYTES     count of pattern bytes written to stdout
//   TEST_EMULATOR_STDOUT_TEXT      text written to stdout after them
//   TEST_EMULATOR_STDERR_BYTES     the same for stderr, written after stdout
//   TEST_EMULATOR_STDERR_TEXT
//   TEST_EMULATOR_GRANDCHILD_MS    a grandchild started first keeps stdout and stderr open
//                                  this long
//   TEST_EMULATOR_SLEEP_MS         sleep before ending
//   TEST_EMULATOR_EXIT_CODE        exit code (default 0)
//   TEST_EMULATOR_SIGNAL           end by this signal instead
// The record is a list of entries "<name> <byte count>\n<bytes>\n", so any byte may appear
// in a value: "cwd"; "session" ("1" when the process leads its own session, else "0");
// "stdin" (device:inode of descriptor 0, empty when it is closed); "fds" (the open
// descriptors, comma-separated); "sigpipe" ("default" when SIGPIPE is neither blocked nor
// handled nor ignored); "grandchild" (its process id, empty without one); then one "arg" per
// argument, the program name first.

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tools/test_emulator_pattern.h"

namespace {

std::string Setting(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

long long NumberSetting(const char* name) {
    return std::atoll(Setting(name).c_str());
}

std::string OwnPath() {
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    path.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return path;
}

std::string CurrentFolder() {
    std::string folder(4096, '\0');
    return ::getcwd(folder.data(), folder.size()) ? folder.c_str() : "";
}

std::string StandardInputIdentity() {
    struct stat info {};
    if (::fstat(STDIN_FILENO, &info) != 0) {
        return "";
    }
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

std::string OpenDescriptors() {
    DIR* folder = ::opendir("/proc/self/fd");
    if (folder == nullptr) {
        return "";
    }
    std::vector<int> descriptors;
    while (const dirent* entry = ::readdir(folder)) {
        if (entry->d_name[0] != '.') {
            descriptors.push_back(std::atoi(entry->d_name));
        }
    }
    const int listing = ::dirfd(folder);
    std::string text;
    for (int descriptor : descriptors) {
        if (descriptor != listing) {
            text += (text.empty() ? "" : ",") + std::to_string(descriptor);
        }
    }
    ::closedir(folder);
    return text;
}

std::string BrokenPipeHandling() {
    sigset_t blocked;
    struct sigaction action {};
    ::sigprocmask(SIG_BLOCK, nullptr, &blocked);
    ::sigaction(SIGPIPE, nullptr, &action);
    return ::sigismember(&blocked, SIGPIPE) == 0 && action.sa_handler == SIG_DFL ? "default"
                                                                                 : "changed";
}

void Record(std::ofstream& file, const std::string& name, const std::string& value) {
    file << name << ' ' << value.size() << '\n' << value << '\n';
}

void WriteRecord(int argc, char** argv, pid_t grandchild) {
    std::string path = Setting("TEST_EMULATOR_RECORD");
    if (path.empty()) {
        path = OwnPath() + ".record";
    }
    // Listed before the record file adds a descriptor of its own.
    const std::string descriptors = OpenDescriptors();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    Record(file, "cwd", CurrentFolder());
    Record(file, "session", ::getsid(0) == ::getpid() ? "1" : "0");
    Record(file, "stdin", StandardInputIdentity());
    Record(file, "fds", descriptors);
    Record(file, "sigpipe", BrokenPipeHandling());
    Record(file, "grandchild", grandchild > 0 ? std::to_string(grandchild) : "");
    for (int i = 0; i < argc; ++i) {
        Record(file, "arg", argv[i]);
    }
}

void WriteAll(int fd, const char* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t written = ::write(fd, bytes, count);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
}

void WritePattern(int fd, long long count) {
    std::vector<char> block(65536);
    std::size_t index = 0;
    while (count > 0) {
        const std::size_t size = count < static_cast<long long>(block.size())
                                     ? static_cast<std::size_t>(count)
                                     : block.size();
        for (std::size_t i = 0; i < size; ++i) {
            block[i] = kestrun::TestEmulatorPatternByte(index++);
        }
        WriteAll(fd, block.data(), size);
        count -= static_cast<long long>(size);
    }
}

void WriteStream(int fd, const char* bytesSetting, const char* textSetting) {
    WritePattern(fd, NumberSetting(bytesSetting));
    const std::string text = Setting(textSetting);
    WriteAll(fd, text.data(), text.size());
}

void SleepMilliseconds(long long milliseconds) {
    if (milliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

pid_t StartGrandchild() {
    const long long lifetime = NumberSetting("TEST_EMULATOR_GRANDCHILD_MS");
    if (lifetime <= 0) {
        return -1;
    }
    const pid_t grandchild = ::fork();
    if (grandchild == 0) {
        SleepMilliseconds(lifetime);
        ::_exit(0);
    }
    return grandchild;
}

}  // namespace

int main(int argc, char** argv) {
    WriteRecord(argc, argv, StartGrandchild());
    WriteStream(STDOUT_FILENO, "TEST_EMULATOR_STDOUT_BYTES", "TEST_EMULATOR_STDOUT_TEXT");
    WriteStream(STDERR_FILENO, "TEST_EMULATOR_STDERR_BYTES", "TEST_EMULATOR_STDERR_TEXT");
    SleepMilliseconds(NumberSetting("TEST_EMULATOR_SLEEP_MS"));
    if (const int signalNumber = static_cast<int>(NumberSetting("TEST_EMULATOR_SIGNAL"))) {
        ::signal(signalNumber, SIG_DFL);
        ::raise(signalNumber);
    }
    return static_cast<int>(NumberSetting("TEST_EMULATOR_EXIT_CODE"));
}
