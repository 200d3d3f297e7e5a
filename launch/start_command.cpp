#include "launch/start_command.h"

#include "launch/command_line_builder.h"
#include "launch/emulator_selection.h"
#include "launch/failure_explanation.h"
#include "launch/output_capture.h"
#include "launch/per_game_rules.h"
#include "launch/process_runner.h"
#include "launch/run_plan.h"

namespace kestrun {
namespace {

constexpr std::size_t CaptureCapacity = 1024;

const MessageBoxRequest EmptyGameTextMessage{.text = "You have to select or type in a rom name.",
                                             .caption = "Kestrun",
                                             .buttons = MessageButtons::Ok,
                                             .icon = MessageIcon::Exclamation};

const MessageBoxRequest BypassConfirmation{
    .text = "You are running Kestrun in Bypass mode.\nAll selected options will be ignored.",
    .caption = "Bypass enabled",
    .buttons = MessageButtons::OkCancel,
    .icon = MessageIcon::Information};

std::string CapturedOutput(const OutputCapture& capture) {
    if (capture.Length == 0 || !capture.Buffer) {
        return {};
    }
    return std::string(capture.Buffer.get(), capture.Length);
}

std::optional<MessageBoxRequest> FailureMessage(const StartEnvironment& environment,
                                                const EmulatorRun& run, int status,
                                                const std::string& output) {
    if (!run.currentMame) {
        return RunFailureMessage(run.captionName, status, output);
    }
    return ExplainCurrentMameFailure({.status = status,
                                      .head = {},
                                      .tail = output,
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
    StartCapture(capture, CaptureCapacity);

    // In the launcher's own full-screen mode the window stays up behind the emulator.
    if (!host.DisplaySwitched()) {
        host.HideWindow();
    }
    const int status = RunAndWait(std::move(run.arguments), run.detach, environment.programFolder,
                                  capture, environment.waiter);
    // Read again: the mode may have changed while events were dispatched during the wait.
    if (!host.DisplaySwitched()) {
        host.ShowWindow();
    }
    host.ShowSnapshot(gameText);

    if (status == 0) {
        if (host.DisplaySwitched()) {
            // Leave and enter again: the emulator may have changed the display behind our back.
            host.ToggleFullScreen();
            host.ToggleFullScreen();
        }
    } else {
        JoinCapture(capture);
        if (const auto message =
                FailureMessage(environment, run, status, CapturedOutput(capture))) {
            environment.messages.Show(*message);
        }
    }

    JoinCapture(capture);
    WriteCapture(capture, environment.outputStream);
    ReleaseCapture(capture);
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

std::optional<MessageBoxRequest> RunFailureMessage(std::string_view captionName, int status,
                                                   std::string_view output) {
    if (status == 0 || output.empty()) {
        return std::nullopt;
    }
    // The last byte gives way to the terminator; the text reads up to the first zero byte.
    std::string_view text = output.substr(0, output.size() - 1);
    text = text.substr(0, text.find('\0'));

    const bool aborted = status < 0;
    return MessageBoxRequest{
        .text = std::string(text),
        .caption = std::string(captionName) + (aborted ? " Execution Aborted" : " Error"),
        .buttons = MessageButtons::Ok,
        .icon = aborted ? MessageIcon::Exclamation : MessageIcon::Stop};
}

}  // namespace kestrun
