#include "app/launcher_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <utility>

#include "install/help_commands.h"
#include "install/qt_about_dialog.h"
#include "install/uninstall.h"
#include "options/qt_advanced_options_dialog.h"
#include "res/images.h"
#include "res/menus.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace kestrun {

namespace {

constexpr std::chrono::milliseconds GameInfoPollInterval{100};

}  // namespace

CLauncherDialog::CLauncherDialog(const LauncherServices& services, LauncherEnvironment environment,
                                 QWidget* parent)
    : CCollapsibleDialog(ids::MainDialog, parent, ids::CollapseMarker, ids::CollapseToggle,
                         QStringLiteral("&More >>"), QStringLiteral("&More <<"), true),
      messages_(services.messages),
      shell_(services.shell),
      profile_(services.profile),
      gameBox_(profile_),
      fullScreen_(*this),
      snapshots_(*Item<QLabel>(ids::SnapshotPicture)),
      model_(services, std::move(environment), *this) {
    SetMenu(MainMenuTemplate());
    setWindowIcon(LoadIconResource(ids::ProgramIcon));
    RegisterCommands();
    RegisterMenuUpdates();
}

// The menu item, its button and its accelerator share one command; Start and the full-screen
// toggle are reached through their buttons' ids.
void CLauncherDialog::RegisterCommands() {
    CommandRouter& commands = Commands();
    commands.OnCommand(ids::Start, [this] { model_.Start(); });
    commands.OnCommand(ids::FullScreen, [this] { model_.ToggleFullScreen(); });
    commands.OnCommand(ids::Browse, [this] { model_.Browse(); });
    commands.OnCommand(ids::Exit, [this] { model_.Close(); });
    commands.OnCommand(ids::MenuExit, [this] { model_.Close(); });
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
    commands.OnCommand(ids::PreviousGame, [this] { model_.StepGame(RomStep::Previous); });
    commands.OnCommand(ids::NextGame, [this] { model_.StepGame(RomStep::Next); });
    commands.OnCommand(ids::SoundButton, [this] { OnSoundButton(); });
    commands.OnCommand(ids::DeleteSnapshot, [this] { model_.DeleteSnapshot(); });
    commands.OnCommand(ids::MenuSoundEnabled, [this] { OnSoundMenu(); });
    commands.OnCommand(ids::MenuLoFi, [this] { model_.ToggleLoFi(); });
    commands.OnCommand(ids::MenuDirectDraw, [this] { model_.SetRenderer(0); });
    commands.OnCommand(ids::MenuDirect3D, [this] { model_.SetRenderer(1); });
    commands.OnCommand(ids::MenuTranslateOptions, [this] { model_.ToggleTranslation(); });
    commands.OnCommand(ids::MenuUninstall, [this] { OnUninstall(); });
    commands.OnCommand(ids::About, [this] { OnAbout(); });
    commands.OnCommand(ids::MenuAdvancedOptions,
                       [this] { RunAdvancedOptionsDialog(this, profile_); });
    commands.OnCommand(ids::MenuDocumentation,
                       [this] { OnDocumentation(model_.HelpFolder(), shell_, messages_); });
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
                      [this](CommandUI& item) { item.SetCheck(model_.DisplaySwitched()); });
    commands.OnUpdate(ids::MenuSoundEnabled, [this](CommandUI& item) {
        const bool soundOn = model_.Options().Mute == 0;
        item.SetRadio(soundOn);
        item.SetText(soundOn ? QStringLiteral("Enabled") : QStringLiteral("Disabled"));
    });
    commands.OnUpdate(ids::MenuLoFi,
                      [this](CommandUI& item) { item.SetCheck(model_.Options().LoFi == 1); });
    commands.OnUpdate(ids::MenuDirectDraw, [this](CommandUI& item) {
        item.SetCheck(!RendersWithDirect3D(model_.Options().D3d));
    });
    commands.OnUpdate(ids::MenuDirect3D, [this](CommandUI& item) {
        item.SetCheck(RendersWithDirect3D(model_.Options().D3d));
    });
    commands.OnUpdate(ids::MenuTranslateOptions,
                      [this](CommandUI& item) { item.SetCheck(model_.TranslationInUse()); });
}

void CLauncherDialog::Alias(int commandId, int sameAsId) {
    Commands().OnCommand(commandId, [this, sameAsId] { OnCommand(sameAsId); });
}

void CLauncherDialog::AttachGameBox() {
    auto& box = *Item<QComboBox>(ids::GameBox);
    gameBox_.Attach(box);
    search_.Attach(
        box,
        [this](const std::string& typed) {
            std::vector<GameSearchRow> rows;
            for (LauncherModel::SearchRow& row : model_.SearchGames(typed)) {
                rows.push_back({std::move(row.setName), std::move(row.label)});
            }
            return rows;
        },
        [this](const std::string& setName) { model_.PickGame(setName); });
}

void CLauncherDialog::DoDataExchange(DataExchange& exchange) {
    AttachGameBox();
    LaunchOptions& options = model_.Options();
    exchange.Check(ids::Steadykey, options.Steadykey);
    exchange.Check(ids::Stretch, options.Stretch);
    exchange.Radio(ids::InputStandard, options.Input);
    exchange.Radio(ids::VideoWindow, options.Video);
    exchange.Check(ids::SoundButton, options.Mute);
    exchange.ListIndex(ids::ControllerList, options.Ctrlr);
    exchange.Check(ids::Joystick, options.Joystick);
    exchange.Check(ids::Mouse, options.Mouse);
    exchange.Radio(ids::EffectNone, options.Effects);
    exchange.ListIndex(ids::ScanlinesList, options.Scanlines);
    exchange.ListIndex(ids::MaskList, options.Mask);
    exchange.ListIndex(ids::ResolutionList, options.Resolution);
    exchange.Check(ids::Bypass, options.Bypass);
    exchange.Check(ids::Cheat, options.Cheat);
    exchange.Check(ids::UseMame32, options.mame32);
    exchange.Check(ids::Lightgun, options.Lightgun);
    exchange.Check(ids::Artwork, options.Artwork);
    exchange.Check(ids::Artcrop, options.Artcrop);
    exchange.Check(ids::Artres, options.Artres);
    exchange.Check(ids::BackdropsOverlays, options.BackdropsOverlays);
    exchange.Check(ids::Bezels, options.Bezels);
}

bool CLauncherDialog::OnInitDialog() {
    CCollapsibleDialog::OnInitDialog();
    SetUpWindow();
    AttachGameBox();
    if (!model_.StartUp()) {
        return false;
    }
    // Once the window is up: start-up never waits for the emulator.
    QTimer::singleShot(0, this, [this] { model_.PrepareEmulatorFacts(); });
    // What the background learns about the games shows up within a moment.
    auto* gameInfo = new QTimer(this);
    connect(gameInfo, &QTimer::timeout, this, [this] { model_.PollGameInfo(); });
    gameInfo->start(GameInfoPollInterval);
    if (model_.MadeGameFolders()) {
        // Over the window, once it is on the screen.
        QTimer::singleShot(0, this,
                           [this] { messages_.Show(FirstRunNote(model_.ProgramFolder())); });
    }
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
            [this] { OnHelpInfo(model_.HelpFolder(), shell_, messages_); });
    SetToolTips(LoadResourceString);
    SetButtonIcons();
}

void CLauncherDialog::SetButtonIcons() {
    const std::pair<int, int> icons[] = {
        {ids::NextGame, ids::NextIcon},
        {ids::PreviousGame, ids::PreviousIcon},
        {ids::SoundButton, model_.Options().Mute == 1 ? ids::SoundOffIcon : ids::SoundOnIcon},
        {ids::DeleteSnapshot, ids::DeleteSnapshotIcon},
        {ids::FullScreen, ids::FullScreenIcon},
    };
    for (const auto& [buttonId, iconId] : icons) {
        Item<QAbstractButton>(buttonId)->setIcon(LoadIconResource(iconId));
    }
}

void CLauncherDialog::OnCancel() {}

void CLauncherDialog::OnClose() {
    model_.Close();
}

void CLauncherDialog::OnAbout() {
    CAboutDialog about(this, shell_, messages_, model_.HelpFolder(), [this] { OnUninstall(); });
    about.DoModal();
}

void CLauncherDialog::OnUninstall() {
    UninstallEnvironment environment = ProcessUninstallEnvironment(model_.ProgramFolder());
    environment.installed = model_.Installed();
    UninstallProgram(messages_, profile_, environment);
}

void CLauncherDialog::OnSoundButton() {
    UpdateData(true);
    Item<QAbstractButton>(ids::SoundButton)
        ->setIcon(
            LoadIconResource(model_.Options().Mute == 1 ? ids::SoundOffIcon : ids::SoundOnIcon));
}

void CLauncherDialog::OnSoundMenu() {
    auto* button = Item<QAbstractButton>(ids::SoundButton);
    button->setChecked(!button->isChecked());
    OnSoundButton();
}

void CLauncherDialog::CheckRadio(int controlId) {
    Item<QAbstractButton>(controlId)->setChecked(true);
}

}  // namespace kestrun
