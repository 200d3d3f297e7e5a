#include "launch/run_plan.h"

#include <iterator>

#include "launch/argument_split.h"
#include "launch/option_translation.h"

namespace kestrun {
namespace {

// Shown as a command line would be written: words with blanks, and empty ones, in quotes.
std::string JoinedForDisplay(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        const bool quoted = word.empty() || word.find_first_of(" \t") != std::string::npos;
        line.append(" ").append(quoted ? "\"" + word + "\"" : word);
    }
    return line;
}

}  // namespace

EmulatorRun PlanEmulatorRun(const RunPlanRequest& request, EmulatorFactsSource& facts,
                            ProcessWaiter& waiter) {
    const EmulatorCommand& command = request.command;
    const std::string_view generated = request.arguments.GeneratedOptions();
    const std::string_view headLine = std::string_view(command.commandLine)
                                          .substr(0, command.commandLine.size() - generated.size());

    EmulatorRun run;
    run.commandLine = command.commandLine;
    run.detach = command.detach;
    run.captionName = command.captionName;
    const std::vector<std::string> headWords = SplitCommandLine(headLine);
    if (headWords.size() > 1) {
        run.game = headWords[1];
        run.typedOptions.assign(headWords.begin() + 2, headWords.end());
    }

    const bool translatable = !request.bypass && request.mode != TranslationMode::Off;
    const std::optional<EmulatorFacts> known =
        translatable ? facts.FactsFor(command.executable, request.programFolder, waiter)
                     : facts.KnownFacts(command.executable);
    run.currentMame = known && known->IsCurrentMame();
    if (!translatable || !TranslationInUse(request.mode, run.currentMame)) {
        run.arguments = SplitCommandLine(command.commandLine);
        return run;
    }
    const std::vector<std::string> translated = TranslateGeneratedOptions(
        generated, known.value_or(EmulatorFacts{}), request.programFolder);
    run.arguments = headWords;
    run.arguments.insert(run.arguments.end(), translated.begin(), translated.end());
    run.commandLine = std::string(headLine) + JoinedForDisplay(translated);
    return run;
}

}  // namespace kestrun
