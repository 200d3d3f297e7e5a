#pragma once

#include <optional>
#include <string>

#include "app/collapsible_dialog.h"
#include "app/full_screen_arrangement.h"
#include "games/qt_game_combo_box.h"
#include "games/qt_game_search_popup.h"
#include "snapshot/qt_snapshot_view.h"
#include "window/launcher_model.h"
#include "window/launcher_view.h"

namespace kestrun {

// The program's only window: the game box, the snapshot, every launch option and the command
// buttons. It shows what its model decides and hands every command to it; options move between
// the controls and the model's record only at the model's read-back points.
class CLauncherDialog : public CCollapsibleDialog, private LauncherView {
    Q_OBJECT
  public:
    CLauncherDialog(const LauncherServices& services, LauncherEnvironment environment,
                    QWidget* parent = nullptr);

    // Set when start-up ended the program before the window was ever shown.
    std::optional<int> ExitCode() const { return model_.ExitCode(); }
    LauncherModel& Model() { return model_; }
    const LauncherModel& Model() const { return model_; }
    CGameComboBox& GameBox() { return gameBox_; }
    GameSearchPopup& SearchPopup() { return search_; }

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
    void OnAbout();
    void OnUninstall();
    void OnSoundButton();
    void OnSoundMenu();
    // Selecting one radio button of an exclusive group clears the others; the record follows at
    // the next read-back.
    void CheckRadio(int controlId);
    void AttachGameBox();
    void DescribeHistoryItems();

    // LauncherView over the controls.
    LaunchOptions ReadBackOptions() override;
    std::string GameText() const override;
    void SetGameText(std::string_view text) override;
    std::string ControllerText() const override;
    std::string ResolutionText() const override;
    void LoadHistory() override;
    void SaveHistory() override;
    void InsertIntoHistory(std::string_view gameText) override;
    void ShowMame32Choice(bool shown) override;
    void EnableStretch(bool enabled) override;
    void ShowWindow(bool shown) override;
    void FocusGameBox() override;
    void ShowSnapshotPicture(const std::optional<std::string>& file, bool fullScreen) override;
    void ArrangeForFullScreen(bool fullScreen) override;
    std::optional<std::string> AskForGameFile() override;
    void SetTitle(std::string_view title) override;
    void SetGameToolTip(std::string_view text) override;
    void DescribeHistory(std::function<std::string(std::string_view)> describe) override;
    void CloseWindow() override { EndDialog(0); }

    MessageBoxService& messages_;
    DesktopShell& shell_;
    ProfileStore& profile_;
    CGameComboBox gameBox_;
    GameSearchPopup search_;
    // The game box's tooltip from the resources, given back when a game has no name.
    std::optional<QString> usualGameTip_;
    std::function<std::string(std::string_view)> describeHistory_;
    FullScreenArrangement fullScreen_;
    SnapshotPictureLoader snapshots_;
    LauncherModel model_;
};

}  // namespace kestrun
