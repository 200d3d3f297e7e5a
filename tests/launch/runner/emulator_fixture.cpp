#include "tests/launch/runner/emulator_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "launch/process_runner.h"
#include "tools/test_emulator_pattern.h"

namespace kestrun::testing {
namespace {

constexpr const char* Settings[] = {
    "TEST_EMULATOR_RECORD",      "TEST_EMULATOR_STDOUT_BYTES",  "TEST_EMULATOR_STDOUT_TEXT",
    "TEST_EMULATOR_STDERR_TEXT", "TEST_EMULATOR_GRANDCHILD_MS", "TEST_EMULATOR_SLEEP_MS",
    "TEST_EMULATOR_EXIT_CODE",   "TEST_EMULATOR_SIGNAL",
};

void ClearSettings() {
    for (const char* setting : Settings) {
        ::unsetenv(setting);
    }
}

}  // namespace

EmulatorTest::EmulatorTest() {
    ClearSettings();
    std::filesystem::copy_file(KESTRUN_TEST_EMULATOR_PATH, folder_.Path() + "mame.exe");
    Set("TEST_EMULATOR_RECORD", folder_.Path() + "record");
}

EmulatorTest::~EmulatorTest() {
    ClearSettings();
}

void EmulatorTest::Set(const std::string& setting, const std::string& value) {
    ::setenv(setting.c_str(), value.c_str(), 1);
}

CapturedRun EmulatorTest::Run(const std::string& commandLine) {
    OutputCapture capture;
    EXPECT_TRUE(capture.Start());
    BlockingProcessWaiter waiter;
    const RunOutcome outcome = RunAndWait(commandLine, false, ProgramFolder(), capture, waiter);
    return {outcome, std::string(capture.Head()), std::string(capture.Tail())};
}

EmulatorRecord EmulatorTest::ReadRecord() const {
    std::ifstream file(folder_.Path() + "record", std::ios::binary);
    EmulatorRecord record;
    for (std::string line; std::getline(file, line);) {
        const std::size_t blank = line.find(' ');
        const std::string name = line.substr(0, blank), value = line.substr(blank + 1);
        if (name == "arg") {
            record.arguments.push_back(value);
        } else {
            record.facts[name] = value;
        }
    }
    return record;
}

std::string EmulatorTest::Pattern(std::size_t from, std::size_t count) {
    std::string bytes;
    for (std::size_t i = from; i < from + count; ++i) {
        bytes += TestEmulatorPatternByte(i);
    }
    return bytes;
}

}  // namespace kestrun::testing
