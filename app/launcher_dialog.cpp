#include "app/launcher_dialog.h"

#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <utility>

#include "app/launcher_start_host.h"
#include "app/rom_path_check.h"
#include "games/rom_path.h"
#include "install/about_dialog.h"
#include "install/desktop_shortcut.h"
#include "install/help_commands.h"
#include "install/self_delete.h"
#include "install/shell_delete.h"
#include "install/uninstall.h"
#include "launch/emulator_selection.h"
#include "options/advanced_options_dialog.h"
#include "options/translation_mode.h"
#include "platform/debug_output.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/qt_process_waiter.h"
#include "res/images.h"
#include "res/menus.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "snapshot/snapshot_file.h"
#include "snapshot/snapshot_name.h"
#include "snapshot/snapshot_view.h"

namespace kestrun {

namespace {

constexpr std::string_view HistoryKeyPrefix = "RomSet";
constexpr std::string_view ShortcutKey = "Shortcut";
constexpr std::string_view DefaultGame = "005.zip";

std::string Trim(const std::string& text) {
    constexpr std::string_view WhiteSpace = " \t\r\n";
    const auto first = text.find_first_not_of(WhiteSpace);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(WhiteSpace) - first + 1);
}

}  // namespace

CLauncherDialog::CLauncherDialog(const LauncherServices& services, LauncherEnvironment environment,
                                 QWidget* parent)
    : CCollapsibleDialog(ids::MainDialog, parent, ids::CollapseMarker, ids::CollapseToggle,
                         QStringLiteral("&More >>"), QStringLiteral("&More <<"), true),
      profile_(services.profile),
      messages_(services.messages),
      display_(services.display),
      shell_(services.shell),
      facts_(services.facts),
      environment_(std::move(environment)),
      fullScreen_(*this, display_, messages_),
      gameBox_(profile_),
      options_(LoadLaunchOptions(profile_)) {
    SetMenu(MainMenuTemplate());
    setWindowIcon(LoadIconResource(ids::ProgramIcon));
    RegisterCommands();
    RegisterMenuUpdates();
}

// The menu item, its button and its accelerator share one command; Start and the full-screen
// toggle are reached through their buttons' ids.
void CLauncherDialog::RegisterCommands() {
    CommandRouter& commands = Commands();
    commands.OnCommand(ids::Start, [this] { OnStart(); });
    commands.OnCommand(ids::FullScreen, [this] { ToggleFullScreen(); });
    commands.OnCommand(ids::Browse, [this] { OnBrowse(); });
    commands.OnCommand(ids::Exit, [this] { CloseSequence(); });
    commands.OnCommand(ids::MenuExit, [this] { CloseSequence(); });
    commands.OnCommand(ids::VideoWindow, [this] { GetDlgItem(ids::Stretch)->setEnabled(false); });
    commands.OnCommand(ids::VideoFullScreen,
                       [this] { GetDlgItem(ids::Stretch)->setEnabled(true); });
    for (const int device : {ids::Mouse, ids::Joystick, ids::Lightgun}) {
        commands.OnCommand(device, [this] { CheckRadio(ids::InputStandard); });
    }
    commands.OnNotify(ids::ControllerList, ControlNotification::DropDown,
                      [this] { CheckRadio(ids::InputController); });
    commands.OnNotify(ids::ScanlinesList, ControlNotification::DropDown,
                      [this] { CheckRadio(ids::EffectScanlines); });
    commands.OnNotify(ids::MaskList, ControlNotification::DropDown,
                      [this] { CheckRadio(ids::EffectMasks); });
    commands.OnCommand(ids::PreviousGame, [this] { OnPreviousGame(); });
    commands.OnCommand(ids::NextGame, [this] { OnNextGame(); });
    commands.OnCommand(ids::SoundButton, [this] { OnSoundButton(); });
    commands.OnCommand(ids::DeleteSnapshot, [this] { OnDeleteSnapshot(); });
    commands.OnCommand(ids::MenuSoundEnabled, [this] { OnSoundMenu(); });
    commands.OnCommand(ids::MenuLoFi, [this] { OnLoFi(); });
    commands.OnCommand(ids::MenuDirectDraw, [this] { OnRenderer(0); });
    commands.OnCommand(ids::MenuDirect3D, [this] { OnRenderer(1); });
    commands.OnCommand(ids::MenuTranslateOptions, [this] { OnTranslateOptions(); });
    commands.OnCommand(ids::MenuUninstall, [this] { OnUninstall(); });
    commands.OnCommand(ids::About, [this] { OnAbout(); });
    commands.OnCommand(ids::MenuAdvancedOptions,
                       [this] { RunAdvancedOptionsDialog(this, profile_); });
    commands.OnCommand(ids::MenuDocumentation,
                       [this] { OnDocumentation(programFolder_, shell_, messages_); });
    commands.OnCommand(ids::MenuGetEmulator, [this] { OnGetEmulator(shell_, messages_); });
    Alias(ids::MenuStart, ids::Start);
    Alias(ids::MenuOpen, ids::Browse);
    Alias(ids::MenuDeleteSnapshot, ids::DeleteSnapshot);
    Alias(ids::MenuFullScreen, ids::FullScreen);
    Alias(ids::MenuAbout, ids::About);
    Alias(ids::AboutSystemCommand, ids::About);
}

void CLauncherDialog::RegisterMenuUpdates() {
    CommandRouter& commands = Commands();
    commands.OnUpdate(ids::MenuFullScreen,
                      [this](CommandUI& item) { item.SetCheck(DisplaySwitched()); });
    commands.OnUpdate(ids::MenuSoundEnabled, [this](CommandUI& item) {
        const bool soundOn = options_.Mute == 0;
        item.SetRadio(soundOn);
        item.SetText(soundOn ? QStringLiteral("Enabled") : QStringLiteral("Disabled"));
    });
    commands.OnUpdate(ids::MenuLoFi,
                      [this](CommandUI& item) { item.SetCheck(options_.LoFi == 1); });
    commands.OnUpdate(ids::MenuDirectDraw,
                      [this](CommandUI& item) { item.SetCheck(options_.D3d == 0); });
    commands.OnUpdate(ids::MenuDirect3D,
                      [this](CommandUI& item) { item.SetCheck(options_.D3d == 1); });
    commands.OnUpdate(ids::MenuTranslateOptions,
                      [this](CommandUI& item) { item.SetCheck(TranslationShownInUse()); });
}

void CLauncherDialog::Alias(int commandId, int sameAsId) {
    Commands().OnCommand(commandId, [this, sameAsId] { OnCommand(sameAsId); });
}

void CLauncherDialog::DoDataExchange(DataExchange& exchange) {
    gameBox_.Attach(*Item<QComboBox>(ids::GameBox));
    exchange.Check(ids::Steadykey, options_.Steadykey);
    exchange.Check(ids::Stretch, options_.Stretch);
    exchange.Radio(ids::InputStandard, options_.Input);
    exchange.Radio(ids::VideoWindow, options_.Video);
    exchange.Check(ids::SoundButton, options_.Mute);
    exchange.ListIndex(ids::ControllerList, options_.Ctrlr);
    exchange.Check(ids::Joystick, options_.Joystick);
    exchange.Check(ids::Mouse, options_.Mouse);
    exchange.Radio(ids::EffectNone, options_.Effects);
    exchange.ListIndex(ids::ScanlinesList, options_.Scanlines);
    exchange.ListIndex(ids::MaskList, options_.Mask);
    exchange.ListIndex(ids::ResolutionList, options_.Resolution);
    exchange.Check(ids::Bypass, options_.Bypass);
    exchange.Check(ids::Cheat, options_.Cheat);
    exchange.Check(ids::UseMame32, options_.mame32);
    exchange.Check(ids::Lightgun, options_.Lightgun);
    exchange.Check(ids::Artwork, options_.Artwork);
    exchange.Check(ids::Artcrop, options_.Artcrop);
    exchange.Check(ids::Artres, options_.Artres);
    exchange.Check(ids::BackdropsOverlays, options_.BackdropsOverlays);
    exchange.Check(ids::Bezels, options_.Bezels);
}

bool CLauncherDialog::OnInitDialog() {
    CCollapsibleDialog::OnInitDialog();
    SetUpWindow();
    if (!SettleProgramFolder()) {
        return false;
    }
    if (!ConfirmEmulatorInstalled(programFolder_, messages_)) {
        exitCode_ = 0;
        return false;
    }
    GetDlgItem(ids::UseMame32)->setVisible(OffersMame32Choice(programFolder_));
    OfferDesktopShortcut();
    gameBox_.LoadHistory(ProfileSection, HistoryKeyPrefix, true);
    gameBox_.Attach(*Item<QComboBox>(ids::GameBox));
    if (options_.Video == 0) {
        GetDlgItem(ids::Stretch)->setEnabled(false);
    }
    ChooseInitialGame();
    GetDlgItem(ids::GameBox)->setFocus(Qt::OtherFocusReason);
    // Once the window is up: start-up never waits for the emulator.
    QTimer::singleShot(0, this, [this] { PrepareEmulatorFacts(); });
    return true;
}

// Window managers here offer no system menu to extend, so the About item goes into the
// window's context menu.
void CLauncherDialog::SetUpWindow() {
    if (const std::string text = LoadResourceString(ids::AboutMenuItemString); !text.empty()) {
        auto* about = new QAction(QString::fromStdString(text), this);
        connect(about, &QAction::triggered, this, [this] { OnCommand(ids::AboutSystemCommand); });
        addAction(about);
        setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    LoadAccelerators(MainAcceleratorTable());
    // F1 asks for help outside the accelerator table, as the system's help key.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this,
            [this] { OnHelpInfo(programFolder_, shell_, messages_); });
    SetToolTips(LoadResourceString);
    SetButtonIcons();
}

void CLauncherDialog::SetButtonIcons() {
    const std::pair<int, int> icons[] = {
        {ids::NextGame, ids::NextIcon},
        {ids::PreviousGame, ids::PreviousIcon},
        {ids::SoundButton, options_.Mute == 1 ? ids::SoundOffIcon : ids::SoundOnIcon},
        {ids::DeleteSnapshot, ids::DeleteSnapshotIcon},
        {ids::FullScreen, ids::FullScreenIcon},
    };
    for (const auto& [buttonId, iconId] : icons) {
        Item<QAbstractButton>(buttonId)->setIcon(LoadIconResource(iconId));
    }
}

// Started from the temporary folder, this process is the copy that uninstall left behind to
// delete the program file: it does that and ends without a window.
bool CLauncherDialog::SettleProgramFolder() {
    programFolder_ = FolderOf(environment_.programFile);
    if (programFolder_ == environment_.temporaryFolder) {
        FinishSelfDelete(environment_.arguments);
        exitCode_ = 0;
        return false;
    }
    if (::chdir(programFolder_.c_str()) != 0) {
        DebugOutput("Kestrun: cannot make the program folder the current directory\n");
    }
    return true;
}

void CLauncherDialog::OfferDesktopShortcut() {
    if (profile_.GetProfileInt(ProfileSection, ShortcutKey, 0) != 0) {
        return;
    }
    MessageBoxRequest question;
    question.text = "Would you like a Kestrun shortcut on the desktop? (Recommended)";
    question.caption = "Kestrun";
    question.buttons = MessageButtons::YesNo;
    question.icon = MessageIcon::Question;
    if (messages_.Show(question) == MessageResult::Yes) {
        // The program file's own name: a renamed copy gets a shortcut to itself.
        const std::string target =
            programFolder_ + std::string(BaseNameOf(environment_.programFile));
        CreateDesktopShortcut(target, std::string(ShortcutLinkName),
                              std::string(ShortcutDescription), messages_);
    }
    profile_.WriteProfileInt(ProfileSection, ShortcutKey, 1);
}

void CLauncherDialog::ChooseInitialGame() {
    const std::string text = Trim(GameBoxText());
    if (text.empty()) {
        romSets_.CurrentRomPath = programFolder_ + std::string(RomFolderName).append(DefaultGame);
        ScanRomSets(romSets_.CurrentRomPath, romSets_);
        if (!FileExists(romSets_.CurrentRomPath)) {
            OnNextGame();
        } else {
            ShowSnapshot(romSets_.CurrentRomPath);
        }
        return;
    }
    if (!ScanForTypedGame(text)) {
        return;
    }
    keepGameBoxText_ = true;
    ShowSnapshot(romSets_.CurrentRomPath);
    keepGameBoxText_ = false;
}

void CLauncherDialog::OnCancel() {}

void CLauncherDialog::OnClose() {
    CloseSequence();
}

// While a run is waited for, the Start code still needs the ROM set list: the close waits
// for the run's end.
void CLauncherDialog::CloseSequence() {
    if (runWaiting_) {
        return;
    }
    gameBox_.SaveHistory(true);
    UpdateData(true);
    SaveLaunchOptions(profile_, options_);
    romSets_.RomSetList.clear();
    if (DisplaySwitched()) {
        display_.ChangeDisplayMode(0, 0, true);
    }
    // Ends the modal run, and with it the program, with exit code 0.
    EndDialog(0);
}

void CLauncherDialog::HideKeepingModalLoop() {
    QWidget::setVisible(false);
}

void CLauncherDialog::OnStart() {
    LauncherStartHost host(*this);
    QtProcessWaiter waiter;
    // A Start begun during another's wait must not lift the outer run's close refusal.
    const bool outerRunWaiting = std::exchange(runWaiting_, true);
    RunStart(
        {host, messages_, profile_, waiter, facts_, programFolder_, environment_.outputStream});
    runWaiting_ = outerRunWaiting;
}

void CLauncherDialog::ToggleFullScreen() {
    fullScreen_.ToggleFullScreen();
}

void CLauncherDialog::OnAbout() {
    CAboutDialog about(this, shell_, messages_, programFolder_, [this] { OnUninstall(); });
    about.DoModal();
}

void CLauncherDialog::OnUninstall() {
    UninstallProgram(messages_, profile_, ProcessUninstallEnvironment(programFolder_));
}

void CLauncherDialog::OnSoundButton() {
    UpdateData(true);
    Item<QAbstractButton>(ids::SoundButton)
        ->setIcon(LoadIconResource(options_.Mute == 1 ? ids::SoundOffIcon : ids::SoundOnIcon));
}

void CLauncherDialog::OnSoundMenu() {
    auto* button = Item<QAbstractButton>(ids::SoundButton);
    button->setChecked(!button->isChecked());
    OnSoundButton();
}

void CLauncherDialog::OnLoFi() {
    options_.LoFi = options_.LoFi == 0 ? 1 : 0;
    SaveLoFi(profile_, options_.LoFi);
}

void CLauncherDialog::OnRenderer(int d3d) {
    options_.D3d = d3d;
    SaveD3d(profile_, options_.D3d);
}

void CLauncherDialog::PrepareEmulatorFacts() {
    if (const auto chosen = ChooseEmulator(programFolder_, options_.mame32)) {
        facts_.Prepare(chosen->executable, programFolder_);
    }
}

bool CLauncherDialog::TranslationShownInUse() {
    const auto chosen = ChooseEmulator(programFolder_, options_.mame32);
    const auto facts = chosen ? facts_.KnownFacts(chosen->executable) : std::nullopt;
    return TranslationInUse(LoadTranslationMode(profile_), facts && facts->IsCurrentMame());
}

void CLauncherDialog::OnTranslateOptions() {
    SaveTranslationMode(profile_,
                        TranslationShownInUse() ? TranslationMode::Off : TranslationMode::On);
}

// Selecting one radio button of an exclusive group clears the others; the record follows at
// the next read-back.
void CLauncherDialog::CheckRadio(int controlId) {
    Item<QAbstractButton>(controlId)->setChecked(true);
}

std::string CLauncherDialog::GameBoxText() const {
    return GetDlgItemText(ids::GameBox).toStdString();
}

void CLauncherDialog::ShowSnapshot(std::string text) {
    text = StripSnapshotExtension(text);
    if (!keepGameBoxText_) {
        SetDlgItemText(ids::GameBox, QString::fromStdString(text));
    }
    const std::optional<std::string> path = ShownSnapshotPath(programFolder_, text);
    GetDlgItem(ids::GameBox)->setFocus(Qt::OtherFocusReason);
    auto* picture = Item<QLabel>(ids::SnapshotPicture);
    if (!path) {
        ShowPicture(*picture, QPixmap::fromImage(LoadBitmapResource(ids::DefaultSnapshotBitmap)));
        return;
    }
    ShowPicture(*picture, LoadSnapshotPicture(*path, DisplaySwitched()));
}

void CLauncherDialog::OnDeleteSnapshot() {
    const std::string text = GameBoxText();
    const std::optional<std::string> path = ShownSnapshotPath(programFolder_, text);
    if (!path) {
        messages_.Show(SnapshotNotFoundMessage(text));
        return;
    }
    CShellDelete(messages_).DeletePath(*path, false);
    ShowSnapshot(text);
}

// A path that would not fit is refused with a message rather than cut short.
bool CLauncherDialog::ScanForTypedGame(const std::string& text) {
    const std::optional<std::string> path = RomPathWithinLimit(text, programFolder_);
    if (!path) {
        messages_.Show(RomPathTooLongMessage());
        return false;
    }
    romSets_.CurrentRomPath = *path;
    ScanRomSets(romSets_.CurrentRomPath, romSets_);
    return true;
}

void CLauncherDialog::OnPreviousGame() {
    StepGame(RomStep::Previous);
}

void CLauncherDialog::OnNextGame() {
    StepGame(RomStep::Next);
}

// A typed name is looked up in its folder; an absolute path in the box (the last game
// shown, a dropped file) steps on within the current list without scanning again.
void CLauncherDialog::StepGame(RomStep step) {
    const std::string text = GameBoxText();
    if (!text.empty()) {
        const bool keepList =
            IsAbsolutePath(CutEmulatorOptions(text)) && !romSets_.CurrentRomPath.empty();
        if (!keepList && !ScanForTypedGame(text)) {
            return;
        }
    }
    if (romSets_.CurrentRomPath.empty()) {
        return;
    }
    StepRomSet(romSets_, step);
    ShowSnapshot(romSets_.CurrentRomPath);
}

void CLauncherDialog::OnBrowse() {
    QFileDialog dialog(nullptr, QStringLiteral("Select Game"), QString(),
                       QStringLiteral("Compressed ROM sets (*.zip);;All files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("zip"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        GetDlgItem(ids::GameBox)->setFocus(Qt::OtherFocusReason);
        return;
    }
    romSets_.CurrentRomPath = dialog.selectedFiles().front().toStdString();
    if (!romSets_.CurrentRomPath.empty()) {
        ScanRomSets(romSets_.CurrentRomPath, romSets_);
    }
    ShowSnapshot(romSets_.CurrentRomPath);
}

}  // namespace kestrun
