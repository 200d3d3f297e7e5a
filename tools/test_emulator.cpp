// A stand-in for the emulator in tests. The launcher decides its arguments, so everything it
// does is chosen through environment variables:
//   TEST_EMULATOR_RECORD           file for the record
//   TEST_EMULATOR_STDOUT_BYTES     count of pattern bytes written to stdout
//   TEST_EMULATOR_STDOUT_TEXT      text written to stdout after them
//   TEST_EMULATOR_STDERR_TEXT      text written to stderr after stdout
//   TEST_EMULATOR_GRANDCHILD_MS    a grandchild started first keeps stdout and stderr open
//                                  this long
//   TEST_EMULATOR_SLEEP_MS         sleep before ending
//   TEST_EMULATOR_EXIT_CODE        exit code (default 0)
//   TEST_EMULATOR_SIGNAL           end by this signal instead
// The record has one line "<name> <value>" per fact: "cwd"; "session" ("1" when the process
// leads its own session, else "0"); "fds" (the open descriptors, comma-separated); "sigpipe"
// ("default" when SIGPIPE is neither blocked nor handled nor ignored); "grandchild" (its process
// id, empty without one); then one "arg" per argument, the program name first.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tools/test_emulator_pattern.h"

namespace {

std::string Setting(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

long long NumberSetting(const char* name) {
    return std::atoll(Setting(name).c_str());
}

std::string OpenDescriptors() {
    std::string text;
    for (int descriptor = 0; descriptor < 1024; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) != -1) {
            text += (text.empty() ? "" : ",") + std::to_string(descriptor);
        }
    }
    return text;
}

std::string BrokenPipeHandling() {
    sigset_t blocked;
    struct sigaction action {};
    ::sigprocmask(SIG_BLOCK, nullptr, &blocked);
    ::sigaction(SIGPIPE, nullptr, &action);
    const bool untouched = ::sigismember(&blocked, SIGPIPE) == 0 && action.sa_handler == SIG_DFL;
    return untouched ? "default" : "changed";
}

void WriteRecord(int argc, char** argv, pid_t grandchild) {
    // Listed before the record file adds a descriptor of its own.
    const std::string descriptors = OpenDescriptors();
    std::ofstream file(Setting("TEST_EMULATOR_RECORD"), std::ios::binary | std::ios::trunc);
    file << "cwd " << std::filesystem::current_path().string() << '\n'
         << "session " << (::getsid(0) == ::getpid() ? "1" : "0") << '\n'
         << "fds " << descriptors << '\n'
         << "sigpipe " << BrokenPipeHandling() << '\n'
         << "grandchild " << (grandchild > 0 ? std::to_string(grandchild) : "") << '\n';
    for (int i = 0; i < argc; ++i) {
        file << "arg " << argv[i] << '\n';
    }
}

void Write(std::FILE* stream, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

void SleepMilliseconds(long long milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

pid_t StartGrandchild() {
    const long long lifetime = NumberSetting("TEST_EMULATOR_GRANDCHILD_MS");
    const pid_t grandchild = lifetime > 0 ? ::fork() : -1;
    if (grandchild == 0) {
        SleepMilliseconds(lifetime);
        ::_exit(0);
    }
    return grandchild;
}

}  // namespace

int main(int argc, char** argv) {
    WriteRecord(argc, argv, StartGrandchild());
    const auto count = static_cast<std::size_t>(NumberSetting("TEST_EMULATOR_STDOUT_BYTES"));
    Write(stdout, kestrun::TestEmulatorPattern(0, count) + Setting("TEST_EMULATOR_STDOUT_TEXT"));
    Write(stderr, Setting("TEST_EMULATOR_STDERR_TEXT"));
    SleepMilliseconds(NumberSetting("TEST_EMULATOR_SLEEP_MS"));
    if (const int signalNumber = static_cast<int>(NumberSetting("TEST_EMULATOR_SIGNAL"))) {
        ::signal(signalNumber, SIG_DFL);
        ::raise(signalNumber);
    }
    return static_cast<int>(NumberSetting("TEST_EMULATOR_EXIT_CODE"));
}
