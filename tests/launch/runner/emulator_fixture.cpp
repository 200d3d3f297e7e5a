#include "tests/launch/runner/emulator_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "launch/process_runner.h"

namespace kestrun::testing {
namespace {

void ClearSettings() {
    for (const char* setting : {"STDOUT_BYTES", "STDOUT_TEXT", "STDERR_TEXT", "GRANDCHILD_MS",
                                "SLEEP_MS", "EXIT_CODE", "SIGNAL"}) {
        ::unsetenv((std::string("TEST_EMULATOR_") + setting).c_str());
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
    for (std::string name, value; file >> name && std::getline(file.ignore(1), value);) {
        (name == "arg" ? record.arguments.emplace_back() : record.facts[name]) = value;
    }
    return record;
}

}  // namespace kestrun::testing
