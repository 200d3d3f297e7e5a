#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "launch/start_command.h"
#include "tests/runner/emulator_fixture.h"
#include "tests/start/scripted_start_host.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/scripted_message_box.h"

namespace kestrun::testing {

// A program folder with the test emulator as mame.exe, a scripted window, scripted message
// boxes, an empty profile and a temporary file standing in for standard error.
class StartCommandTest : public EmulatorTest {
  public:
    // Case tables are built outside the fixture.
    using EmulatorTest::Pattern;

  protected:
    StartCommandTest() : stream_(std::tmpfile()) {}
    ~StartCommandTest() override {
        if (stream_ != nullptr) {
            std::fclose(stream_);
        }
    }

    void Start() {
        ASSERT_NE(stream_, nullptr);
        RunStart({host, messages, profile, waiter, ProgramFolder(), stream_});
    }

    void WriteProgramFile(const std::string& relativePath) const {
        const std::filesystem::path path = ProgramFolder() + relativePath;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "content";
    }

    bool EmulatorRan() const { return std::filesystem::exists(ProgramFolder() + "record"); }

    // Everything the Start wrote to its output stream.
    std::string StreamContent() {
        std::fflush(stream_);
        std::rewind(stream_);
        std::string content;
        char chunk[4096];
        while (const std::size_t count = std::fread(chunk, 1, sizeof chunk, stream_)) {
            content.append(chunk, count);
        }
        return content;
    }

    ScriptedStartHost host;
    ScriptedMessageBox messages;
    MemoryProfileStore profile;
    LoggingWaiter waiter{host.log};

  private:
    std::FILE* stream_;
};

}  // namespace kestrun::testing
