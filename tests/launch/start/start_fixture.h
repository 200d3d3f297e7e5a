#pragma once

#include "launch/start_command.h"
#include "tests/launch/runner/emulator_fixture.h"
#include "tests/launch/start/output_stream_file.h"
#include "tests/launch/start/scripted_start_host.h"
#include "tests/support/fixed_facts_source.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/scripted_message_box.h"

namespace kestrun::testing {

// A program folder with the test emulator as mame.exe, a scripted window, scripted message
// boxes, an empty profile and a temporary file standing in for standard error.
class StartCommandTest : public EmulatorTest {
  protected:
    void Start() {
        ASSERT_NE(stream.Get(), nullptr);
        RunStart({host, messages, profile, waiter, facts, ProgramFolder(), stream.Get()});
    }

    ScriptedStartHost host;
    ScriptedMessageBox messages;
    MemoryProfileStore profile;
    FixedFactsSource facts;
    LoggingWaiter waiter{host.log};
    OutputStreamFile stream;
};

}  // namespace kestrun::testing
