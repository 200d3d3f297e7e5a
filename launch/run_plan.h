#pragma once

#include <string>
#include <vector>

#include "launch/command_line_builder.h"
#include "launch/emulator_facts_source.h"
#include "launch/emulator_selection.h"
#include "options/translation_mode.h"

namespace kestrun {

// What one Start runs, and what its report needs to know.
struct EmulatorRun {
    std::vector<std::string> arguments;  // the program name first
    std::string commandLine;             // the same as one line, for the report
    bool detach = false;
    std::string captionName;
    bool currentMame = false;
    std::string game;                       // as the user named it
    std::vector<std::string> typedOptions;  // the words typed after it
};

struct RunPlanRequest {
    const EmulatorCommand& command;
    const EmulatorArguments& arguments;
    bool bypass = false;
    TranslationMode mode = TranslationMode::Automatic;
    const std::string& programFolder;
};

// The command line split as the Windows C runtime would; for a current MAME (or when the user
// asks for it) with the generated options translated. Bypass runs the user's text as typed.
// The facts are waited for only when the translation may need them.
EmulatorRun PlanEmulatorRun(const RunPlanRequest& request, EmulatorFactsSource& facts,
                            ProcessWaiter& waiter);

}  // namespace kestrun
