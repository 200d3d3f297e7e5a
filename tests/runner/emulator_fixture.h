#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "launch/output_capture.h"
#include "tests/support/temp_folder.h"

namespace kestrun::testing {

// What the test emulator wrote about itself.
struct EmulatorRecord {
    std::map<std::string, std::string> facts;  // cwd, session, stdin, fds
    std::vector<std::string> arguments;
};

// The result of one run through the capture.
struct CapturedRun {
    int status = 0;
    std::string output;  // the buffer's valid bytes
    std::string rest;    // the buffer's bytes after them
    bool hasBuffer = false;
};

// A program folder holding the test emulator as mame.exe, with the emulator's settings
// cleared before and after each test.
class EmulatorTest : public ::testing::Test {
  protected:
    EmulatorTest();
    ~EmulatorTest() override;

    const std::string& ProgramFolder() const { return folder_.Path(); }
    void Set(const std::string& setting, const std::string& value);
    // Starts a capture, runs the command line with the blocking wait and releases it.
    CapturedRun Run(const std::string& commandLine, std::size_t capacity = 1024);
    EmulatorRecord ReadRecord() const;

    static std::string Pattern(std::size_t from, std::size_t count);

  private:
    TempFolder folder_;
};

}  // namespace kestrun::testing
