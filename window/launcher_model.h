#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "games/game_names.h"
#include "games/game_search.h"
#include "games/rom_set_scanner.h"
#include "install/desktop_shortcut.h"
#include "install/program_folder.h"
#include "launch/background_game_info.h"
#include "launch/emulator_facts_source.h"
#include "launch/start_command.h"
#include "options/launch_options.h"
#include "platform/desktop_shell.h"
#include "platform/display_mode.h"
#include "platform/message_box.h"
#include "platform/process_waiter.h"
#include "platform/profile_store.h"
#include "window/launcher_view.h"

namespace kestrun {

// The services the main window works through; tests replace them.
struct LauncherServices {
    ProfileStore& profile;
    MessageBoxService& messages;
    DisplayModeService& display;
    DesktopShell& shell;
    ProcessWaiter& waiter;
    // What the emulator is; learnt in the background once the window is up.
    EmulatorFactsSource& facts;
};

// What the main window learns about the running program at start-up.
struct LauncherEnvironment {
    // The running program file; its folder is the program folder.
    std::string programFile;
    // The system's temporary folder, ending with a separator.
    std::string temporaryFolder;
    // The process's command line, the program name first.
    std::vector<std::string> arguments;
    // Where the games and the help page are; the program file's own folder when left empty.
    ProgramFolders folders;
    // The game named on the command line: the game box's text at start-up instead of the last.
    std::optional<std::string> gameText;
    // The program's icon at the given sizes, for a shortcut to a copy that no package installed.
    std::function<std::vector<IconFile>(std::span<const int>)> programIcons;
    // Receives everything the emulator wrote, after every run.
    std::FILE* outputStream = stderr;
};

// The main window's logic without the window: start-up, the current game and its snapshot,
// Previous/Next and Browse, Start, the launcher's full-screen mode and the close. It owns the
// options record that the window's controls exchange with, and the game list.
class LauncherModel final : private StartHost {
  public:
    LauncherModel(const LauncherServices& services, LauncherEnvironment environment,
                  LauncherView& view);

    // The start-up sequence; false when it ended the program, with ExitCode() set.
    bool StartUp();
    std::optional<int> ExitCode() const { return exitCode_; }

    LaunchOptions& Options() { return options_; }
    const LaunchOptions& Options() const { return options_; }
    const std::string& ProgramFolder() const { return programFolder_; }
    const std::string& HelpFolder() const { return helpFolder_; }
    // True for a program that the package manager installed.
    bool Installed() const { return environment_.folders.installed; }
    // True when start-up has just made the game folders, which the user is told of.
    bool MadeGameFolders() const { return environment_.folders.madeGameFolders; }
    const RomSetState& RomSets() const { return romSets_; }
    bool DisplaySwitched() const override { return switched_; }
    bool RunWaiting() const { return runWaiting_; }

    // Starts the game in the game box and waits for the emulator to end.
    void Start();
    // Enters the launcher's full-screen mode, or leaves it when it is on.
    void ToggleFullScreen();
    void StepGame(RomStep step);
    void Browse();
    // Shows the game's snapshot (or the default picture) and, unless the start-up keeps it,
    // puts the text without its extension into the game box.
    void ShowSnapshot(std::string_view text) override;
    void DeleteSnapshot();
    void ToggleLoFi();
    void SetRenderer(int d3d);
    // Asks what the emulator is, in the background; called once the window is up, since
    // start-up never waits for the emulator.
    void PrepareEmulatorFacts();
    // Takes in what was learnt about the games in the background, and asks for more once the
    // emulator is known to be a current MAME; called now and then once the window is up.
    void PollGameInfo();
    // The ROM folder's sets matching the typed text, best first, as set names and as "set -
    // Full Name" rows.
    struct SearchRow {
        std::string setName;
        std::string label;
    };
    std::vector<SearchRow> SearchGames(std::string_view typed);
    // A row picked from the search becomes the current game: its set name goes into the game
    // box (its path when the list is of another folder) and its snapshot is shown.
    void PickGame(std::string_view setName);
    // Whether a Start would translate the options now, as far as is known without waiting.
    bool TranslationInUse() const;
    void ToggleTranslation();
    // Saves the history and the options, gives the display back and closes the window; refused
    // while a started game is still waited for.
    void Close();

  private:
    bool SettleProgramFolder();
    void OfferDesktopShortcut();
    void ChooseInitialGame();
    // Makes the typed text the current game and scans its folder; false when refused.
    bool ScanForTypedGame(const std::string& text);
    void EnterFullScreen();
    void LeaveFullScreen();
    void RefreshSnapshot();
    void Rescan(std::string_view path);
    struct KnownEmulator {
        std::string executable;
        EmulatorFacts facts;
    };
    // The chosen emulator when its facts are known already, without waiting.
    std::optional<KnownEmulator> KnownFacts() const;
    void RequestCurrentStatus();
    // "set - Full Name", or empty when the set has no known name.
    std::string Describe(std::string_view gameText) const;
    // The title and the game box's tooltip for the current game.
    void ShowGameInfo();

    // StartHost over the view and this model.
    LaunchOptions ReadBackOptions() override { return view_.ReadBackOptions(); }
    std::string GameText() const override { return view_.GameText(); }
    std::string ControllerText() const override { return view_.ControllerText(); }
    std::string ResolutionText() const override { return view_.ResolutionText(); }
    void InsertIntoHistory(std::string_view gameText) override;
    void HideWindow() override { view_.ShowWindow(false); }
    void ShowWindow() override { view_.ShowWindow(true); }
    void ReassertFullScreen() override;
    void FocusGameBox() override { view_.FocusGameBox(); }

    ProfileStore& profile_;
    MessageBoxService& messages_;
    DisplayModeService& display_;
    ProcessWaiter& waiter_;
    EmulatorFactsSource& facts_;
    LauncherEnvironment environment_;
    LauncherView& view_;
    LaunchOptions options_;
    RomSetState romSets_;
    std::string programFolder_;
    std::string helpFolder_;
    std::optional<int> exitCode_;
    bool switched_ = false;
    // Set for one ShowSnapshot at start-up, so the restored text stays as typed.
    bool keepGameBoxText_ = false;
    bool runWaiting_ = false;
    BackgroundGameInfo gameInfo_;
    bool namesRequested_ = false;
    std::shared_ptr<const GameNames> names_;
    // The game shown last, as a set name, and what MAME said about its files.
    std::string currentSet_;
    std::string currentSetFile_;
    std::optional<RomStatus> currentStatus_;
    // Built on the first search after the list or the names changed.
    std::vector<std::string> searchSets_;
    std::optional<GameSearchIndex> searchIndex_;
};

}  // namespace kestrun
