#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/collapsible_dialog.h"
#include "app/full_screen_toggle.h"
#include "games/game_combo_box.h"
#include "games/rom_set_scanner.h"
#include "launch/emulator_facts_source.h"
#include "options/launch_options.h"
#include "platform/desktop_shell.h"
#include "platform/display_mode.h"
#include "platform/message_box.h"
#include "platform/profile_store.h"

namespace kestrun {

// The services the main window works through; tests replace them.
struct LauncherServices {
    ProfileStore& profile;
    MessageBoxService& messages;
    DisplayModeService& display;
    DesktopShell& shell;
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
    // Receives everything the emulator wrote, after every run.
    std::FILE* outputStream = stderr;
};

// The program's only window: the game box, the snapshot, every launch option and the command
// buttons. Options move from the profile into the controls at start-up and back at close;
// the menu-driven LoFi and D3d are stored the moment they change.
class CLauncherDialog : public CCollapsibleDialog {
    Q_OBJECT
  public:
    CLauncherDialog(const LauncherServices& services, LauncherEnvironment environment,
                    QWidget* parent = nullptr);

    // Set when start-up ended the program before the window was ever shown.
    std::optional<int> ExitCode() const { return exitCode_; }

    const std::string& ProgramFolder() const { return programFolder_; }
    const RomSetState& RomSets() const { return romSets_; }
    const LaunchOptions& Options() const { return options_; }
    bool DisplaySwitched() const { return fullScreen_.Switched(); }
    CGameComboBox& GameBox() { return gameBox_; }

    // While a started game is still waited for, the window's close is refused.
    void SetRunWaiting(bool waiting) { runWaiting_ = waiting; }
    // Hides the window without ending its modal run, which a dialog's own hide would do.
    void HideKeepingModalLoop();

    // Starts the game in the game box and waits for the emulator to end.
    void OnStart();
    void ToggleFullScreen();

    // Shows the game's snapshot (or the default picture) and, unless the start-up keeps it,
    // puts the text without its extension into the game box.
    void ShowSnapshot(std::string text);
    void OnDeleteSnapshot();
    void OnPreviousGame();
    void OnNextGame();
    void OnBrowse();

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
    // Escape never closes the main window.
    void OnCancel() override;
    void OnClose() override;

  private:
    void RegisterCommands();
    void RegisterMenuUpdates();
    void Alias(int commandId, int sameAsId);
    void SetUpWindow();
    void SetButtonIcons();
    bool SettleProgramFolder();
    void OfferDesktopShortcut();
    void ChooseInitialGame();

    void CloseSequence();
    void OnAbout();
    void OnUninstall();
    void OnSoundButton();
    void OnSoundMenu();
    void OnLoFi();
    void OnRenderer(int d3d);
    void PrepareEmulatorFacts();
    // Whether a Start would translate the options now, as far as is known without waiting.
    bool TranslationShownInUse();
    void OnTranslateOptions();
    void CheckRadio(int controlId);
    void StepGame(RomStep step);
    // Makes the typed text the current game and scans its folder; false when refused.
    bool ScanForTypedGame(const std::string& text);
    std::string GameBoxText() const;

    ProfileStore& profile_;
    MessageBoxService& messages_;
    DisplayModeService& display_;
    DesktopShell& shell_;
    EmulatorFactsSource& facts_;
    LauncherEnvironment environment_;
    FullScreenToggle fullScreen_;
    CGameComboBox gameBox_;
    LaunchOptions options_;
    RomSetState romSets_;
    std::string programFolder_;
    std::optional<int> exitCode_;
    // Set for one ShowSnapshot at start-up, so the restored text stays as typed.
    bool keepGameBoxText_ = false;
    bool runWaiting_ = false;
};

}  // namespace kestrun
