#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/child_process.h"
#include "tests/support/temp_folder.h"
#include "tools/test_emulator_pattern.h"

namespace kestrun::testing {

// What the test emulator wrote about itself.
struct EmulatorRecord {
    std::map<std::string, std::string> facts;  // cwd, session, fds, sigpipe, grandchild
    std::vector<std::string> arguments;
};

// The result of one run through the capture.
struct CapturedRun {
    RunOutcome outcome;
    std::string head;
    std::string tail;
};

// A program folder holding the test emulator as mame.exe, with the emulator's settings
// cleared before and after each test.
class EmulatorTest : public ::testing::Test {
  protected:
    EmulatorTest();
    ~EmulatorTest() override;

    const std::string& ProgramFolder() const { return folder_.Path(); }
    void Set(const std::string& setting, const std::string& value) {
        ::setenv(setting.c_str(), value.c_str(), 1);
    }
    // Runs the command line through a capture with the blocking wait.
    CapturedRun Run(const std::string& commandLine);
    EmulatorRecord ReadRecord() const;

  private:
    TempFolder folder_;
};

}  // namespace kestrun::testing
