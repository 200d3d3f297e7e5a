#include "launch/start_command.h"

#include <system_error>
#include <vector>

#include "launch/argument_split.h"
#include "launch/command_line_builder.h"
#include "launch/emulator_selection.h"
#include "launch/failure_explanation.h"
#include "launch/output_capture.h"
#include "launch/per_game_rules.h"
#include "launch/process_runner.h"
#include "launch/run_plan.h"
#include "platform/quiet_write.h"

namespace kestrun {
namespace {

const MessageBoxRequest EmptyGameTextMessage{.text = "You have to select or type in a rom name.",
                                             .caption = "Kestrun",
                                             .buttons = MessageButtons::Ok,
                                             .icon = MessageIcon::Exclamation};

const MessageBoxRequest BypassConfirmation{
    .text = "You are running Kestrun in Bypass mode.\nAll selected options will be ignored.",
    .caption = "Bypass enabled",
    .buttons = MessageButtons::OkCancel,
    .icon = MessageIcon::Information};

// A current MAME's own exit codes are explained in plain words; every other end keeps the
// emulator's own text.
std::optional<MessageBoxRequest> FailureMessage(const StartEnvironment& environment,
                                                const EmulatorRun& run, const RunOutcome& outcome,
                                                const OutputCapture& capture) {
    if (!run.currentMame || outcome.kind != RunOutcome::Kind::Exited) {
        return RunFailureMessage(run.commandLine, run.captionName, outcome, capture.Tail());
    }
    return ExplainCurrentMameFailure({.status = outcome.value,
                                      .head = capture.Head(),
                                      .tail = capture.Tail(),
                                      .commandLine = run.commandLine,
                                      .game = run.game,
                                      .typedOptions = run.typedOptions,
                                      .programFolder = environment.programFolder,
                                      .captionName = run.captionName});
}

// Runs the planned command and reports how it went.
void RunEmulator(const StartEnvironment& environment, EmulatorRun run,
                 const std::string& gameText) {
    StartHost& host = environment.host;
    OutputCapture capture;
    // Without a capture the run goes on; it simply has no output to report.
    capture.Start();

    // In the launcher's own full-screen mode the window stays up behind the emulator.
    if (!host.DisplaySwitched()) {
        host.HideWindow();
    }
    const RunOutcome outcome = RunAndWait(std::move(run.arguments), run.detach,
                                          environment.programFolder, capture, environment.waiter);
    // Read again: the mode may have changed while events were dispatched during the wait.
    if (!host.DisplaySwitched()) {
        host.ShowWindow();
    }
    host.ShowSnapshot(gameText);

    if (outcome.Succeeded() && host.DisplaySwitched()) {
        host.ReassertFullScreen();
    }
    const auto message = FailureMessage(environment, run, outcome, capture);
    if (message) {
        environment.messages.Show(*message);
    }
    if (outcome.kind == RunOutcome::Kind::NotStarted) {
        // Nothing ran to write anything: standard error gets the reason instead.
        WriteQuietly(environment.outputStream, message->text + "\n");
    } else {
        WriteQuietly(environment.outputStream, capture.Tail());
    }
}

// The Start sequence up to the run; returns at the first step that ends it.
void StartSequence(const StartEnvironment& environment) {
    StartHost& host = environment.host;
    const LaunchOptions options = host.ReadBackOptions();

    const std::string gameText(TrimGameText(host.GameText()));
    if (gameText.empty()) {
        environment.messages.Show(EmptyGameTextMessage);
        return;
    }
    // Recorded even when a later step refuses the launch.
    host.InsertIntoHistory(gameText);

    const std::string lookupName = LookupNameOf(gameText);
    const bool vectorGame = IsVectorGame(lookupName);
    const bool artworkInUse =
        HasArtworkArchive(environment.programFolder, lookupName) && options.Artwork != 0;

    const std::string controllerText = host.ControllerText();
    const std::string resolutionText = host.ResolutionText();
    const EmulatorArguments arguments = BuildCommandLine({.gameText = gameText,
                                                          .options = options,
                                                          .vectorGame = vectorGame,
                                                          .artworkInUse = artworkInUse,
                                                          .controllerText = controllerText,
                                                          .resolutionText = resolutionText},
                                                         environment.profile);

    const auto command = SelectEmulator(environment.programFolder, arguments.text, options.mame32,
                                        arguments.detach, environment.messages);
    if (!command) {
        return;
    }
    if (options.Bypass != 0 &&
        environment.messages.Show(BypassConfirmation) == MessageResult::Cancel) {
        return;
    }
    if (options.Bypass == 0 && options.Mute != 0 && RequiresSound(lookupName)) {
        environment.messages.Show(SoundRefusal(lookupName));
        return;
    }
    EmulatorRun run = PlanEmulatorRun({.command = *command,
                                       .arguments = arguments,
                                       .bypass = options.Bypass != 0,
                                       .mode = LoadTranslationMode(environment.profile),
                                       .programFolder = environment.programFolder},
                                      environment.facts, environment.waiter);
    RunEmulator(environment, std::move(run), gameText);
}

}  // namespace

void RunStart(const StartEnvironment& environment) {
    StartSequence(environment);
    environment.host.FocusGameBox();
}

std::optional<MessageBoxRequest> RunFailureMessage(std::string_view commandLine,
                                                   std::string_view captionName,
                                                   const RunOutcome& outcome,
                                                   std::string_view output) {
    if (outcome.kind == RunOutcome::Kind::NotStarted) {
        const std::vector<std::string> words = SplitCommandLine(commandLine);
        const std::string program = words.empty() ? std::string(commandLine) : words.front();
        return MessageBoxRequest{.text = "Could not start " + program + ": " +
                                         std::generic_category().message(outcome.value) + ".",
                                 .caption = "Kestrun",
                                 .buttons = MessageButtons::Ok,
                                 .icon = MessageIcon::Stop};
    }
    if (outcome.Succeeded() || output.empty()) {
        return std::nullopt;
    }
    // The last byte gives way to the terminator; the text reads up to the first zero byte.
    std::string_view text = output.substr(0, output.size() - 1);
    text = text.substr(0, text.find('\0'));

    const bool aborted = outcome.kind == RunOutcome::Kind::Killed;
    return MessageBoxRequest{
        .text = std::string(text),
        .caption = std::string(captionName) + (aborted ? " Execution Aborted" : " Error"),
        .buttons = MessageButtons::Ok,
        .icon = aborted ? MessageIcon::Exclamation : MessageIcon::Stop};
}

}  // namespace kestrun
