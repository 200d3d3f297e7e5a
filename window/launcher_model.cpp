#include "window/launcher_model.h"

#include <unistd.h>

#include <utility>

#include "games/rom_path.h"
#include "install/desktop_shortcut.h"
#include "install/self_delete.h"
#include "install/shell_delete.h"
#include "launch/emulator_facts_cache.h"
#include "launch/emulator_selection.h"
#include "launch/full_screen_layout.h"
#include "options/translation_mode.h"
#include "platform/debug_output.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text_trim.h"
#include "snapshot/snapshot_file.h"
#include "snapshot/snapshot_name.h"
#include "window/rom_path_check.h"

namespace kestrun {

namespace {

constexpr std::string_view DefaultGame = "005.zip";

const MessageBoxRequest FullScreenWarning{.text = "Couldn't change to full screen!",
                                          .caption = "Warning",
                                          .buttons = MessageButtons::Ok,
                                          .icon = MessageIcon::None};

}  // namespace

LauncherModel::LauncherModel(const LauncherServices& services, LauncherEnvironment environment,
                             LauncherView& view)
    : profile_(services.profile),
      messages_(services.messages),
      display_(services.display),
      waiter_(services.waiter),
      facts_(services.facts),
      environment_(std::move(environment)),
      view_(view),
      options_(LoadLaunchOptions(profile_)),
      gameInfo_(FactsCacheFolder()) {}

bool LauncherModel::StartUp() {
    if (!SettleProgramFolder()) {
        return false;
    }
    if (!ConfirmEmulatorInstalled(programFolder_, messages_)) {
        exitCode_ = 0;
        return false;
    }
    view_.ShowMame32Choice(OffersMame32Choice(programFolder_));
    OfferDesktopShortcut();
    view_.LoadHistory();
    if (environment_.gameText) {
        view_.SetGameText(*environment_.gameText);
    }
    if (options_.Video == 0) {
        view_.EnableStretch(false);
    }
    ChooseInitialGame();
    view_.FocusGameBox();
    return true;
}

// Started from the temporary folder, this process is the copy that uninstall left behind to
// delete the program file: it does that and ends without a window.
bool LauncherModel::SettleProgramFolder() {
    if (RunsFromTemporaryFolder(environment_.programFile, environment_.temporaryFolder)) {
        FinishSelfDelete(environment_.arguments);
        exitCode_ = 0;
        return false;
    }
    const ProgramFolders folders = environment_.folders.program.empty()
                                       ? OwnProgramFolders(environment_.programFile)
                                       : environment_.folders;
    programFolder_ = folders.program;
    helpFolder_ = folders.help;
    if (::chdir(programFolder_.c_str()) != 0) {
        DebugOutput("Kestrun: cannot make the program folder the current directory\n");
    }
    return true;
}

void LauncherModel::OfferDesktopShortcut() {
    if (profile_.GetProfileInt(ProfileSection, ShortcutKey, 0) != 0) {
        return;
    }
    MessageBoxRequest question;
    question.text = "Would you like a Kestrun shortcut on the desktop? (Recommended)";
    question.caption = "Kestrun";
    question.buttons = MessageButtons::YesNo;
    question.icon = MessageIcon::Question;
    if (messages_.Show(question) == MessageResult::Yes) {
        // An installed program's icon comes with its package.
        if (!environment_.folders.installed && environment_.programIcons) {
            InstallUserIcon(ProgramIconName, environment_.programIcons(UserIconSizes));
        }
        // The program file itself: a renamed copy gets a shortcut to itself.
        CreateDesktopShortcut(environment_.programFile, std::string(ShortcutLinkName),
                              std::string(ShortcutDescription), messages_);
    }
    profile_.WriteProfileInt(ProfileSection, ShortcutKey, 1);
}

void LauncherModel::ChooseInitialGame() {
    const std::string text(Trim(view_.GameText(), blanks::Typed));
    if (text.empty()) {
        romSets_.CurrentRomPath = programFolder_ + std::string(RomFolderName).append(DefaultGame);
        Rescan(romSets_.CurrentRomPath);
        if (!FileExists(romSets_.CurrentRomPath)) {
            StepGame(RomStep::Next);
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

void LauncherModel::Close() {
    // While a run is waited for, the Start code still needs the ROM set list.
    if (runWaiting_) {
        return;
    }
    {
        // One replacement of the profile file for the whole close, not one per value.
        const ProfileWriteBatch batch(profile_);
        view_.SaveHistory();
        options_ = view_.ReadBackOptions();
        SaveLaunchOptions(profile_, options_);
    }
    romSets_.RomSetList.clear();
    if (switched_) {
        display_.ChangeDisplayMode(0, 0, true);
    }
    view_.CloseWindow();
}

void LauncherModel::Start() {
    // A Start begun during another's wait must not lift the outer run's close refusal.
    const bool outerRunWaiting = std::exchange(runWaiting_, true);
    RunStart(
        {*this, messages_, profile_, waiter_, facts_, programFolder_, environment_.outputStream});
    runWaiting_ = outerRunWaiting;
}

void LauncherModel::InsertIntoHistory(std::string_view gameText) {
    view_.InsertIntoHistory(gameText);
}

void LauncherModel::ToggleFullScreen() {
    if (switched_) {
        LeaveFullScreen();
    } else {
        EnterFullScreen();
    }
}

void LauncherModel::EnterFullScreen() {
    if (!display_.ChangeDisplayMode(FullScreenWidth, FullScreenHeight, false)) {
        messages_.Show(FullScreenWarning);
        return;
    }
    switched_ = true;
    view_.ArrangeForFullScreen(true);
    RefreshSnapshot();
}

void LauncherModel::LeaveFullScreen() {
    view_.ArrangeForFullScreen(false);
    display_.ChangeDisplayMode(0, 0, true);
    switched_ = false;
    RefreshSnapshot();
}

// The emulator may have changed the display behind the launcher's back: leaving and entering
// again sets the mode anew.
void LauncherModel::ReassertFullScreen() {
    LeaveFullScreen();
    EnterFullScreen();
}

void LauncherModel::RefreshSnapshot() {
    ShowSnapshot(Trim(view_.GameText(), blanks::Spaces));
}

void LauncherModel::ShowSnapshot(std::string_view shownText) {
    const std::string text = WithoutGameExtension(shownText);
    if (!keepGameBoxText_) {
        view_.SetGameText(text);
    }
    const std::optional<std::string> path = ShownSnapshotPath(programFolder_, text);
    view_.FocusGameBox();
    view_.ShowSnapshotPicture(path, switched_);
    std::string setFile = RomPathFromText(Trim(text, blanks::Spaces), programFolder_);
    if (setFile != currentSetFile_) {
        currentSet_ = GameName(setFile);
        currentSetFile_ = std::move(setFile);
        currentStatus_.reset();
        RequestCurrentStatus();
    }
    ShowGameInfo();
}

void LauncherModel::Rescan(std::string_view path) {
    ScanRomSets(path, romSets_);
    searchIndex_.reset();
}

void LauncherModel::DeleteSnapshot() {
    const std::string text = view_.GameText();
    const std::optional<std::string> path = ShownSnapshotPath(programFolder_, text);
    if (!path) {
        messages_.Show(SnapshotNotFoundMessage(text));
        return;
    }
    CShellDelete(messages_).DeletePath(*path, false);
    ShowSnapshot(text);
}

// A path that would not fit is refused with a message rather than cut short.
bool LauncherModel::ScanForTypedGame(const std::string& text) {
    const std::optional<std::string> path = RomPathWithinLimit(text, programFolder_);
    if (!path) {
        messages_.Show(RomPathTooLongMessage());
        return false;
    }
    romSets_.CurrentRomPath = *path;
    Rescan(romSets_.CurrentRomPath);
    return true;
}

// A typed name is looked up in its folder; an absolute path in the box (the last game shown, a
// dropped file) steps on within the current list without scanning again.
void LauncherModel::StepGame(RomStep step) {
    const std::string text = view_.GameText();
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

void LauncherModel::Browse() {
    const std::optional<std::string> file = view_.AskForGameFile();
    if (!file) {
        view_.FocusGameBox();
        return;
    }
    romSets_.CurrentRomPath = *file;
    if (!romSets_.CurrentRomPath.empty()) {
        Rescan(romSets_.CurrentRomPath);
    }
    ShowSnapshot(romSets_.CurrentRomPath);
}

void LauncherModel::ToggleLoFi() {
    options_.LoFi = options_.LoFi == 0 ? 1 : 0;
    SaveLoFi(profile_, options_.LoFi);
}

void LauncherModel::SetRenderer(int d3d) {
    options_.D3d = d3d;
    SaveD3d(profile_, options_.D3d);
}

void LauncherModel::PrepareEmulatorFacts() {
    if (const auto chosen = ChooseEmulator(programFolder_, options_.mame32)) {
        facts_.Prepare(chosen->executable, programFolder_);
    }
}

std::optional<LauncherModel::KnownEmulator> LauncherModel::KnownFacts() const {
    const auto chosen = ChooseEmulator(programFolder_, options_.mame32);
    auto facts = chosen ? facts_.KnownFacts(chosen->executable) : std::nullopt;
    if (!facts) {
        return std::nullopt;
    }
    return KnownEmulator{chosen->executable, std::move(*facts)};
}

void LauncherModel::PollGameInfo() {
    if (!namesRequested_) {
        const auto known = KnownFacts();
        // Once the emulator is known, names are asked for at most once.
        namesRequested_ = known.has_value();
        if (known && known->facts.IsCurrentMame()) {
            gameInfo_.RequestNames(known->executable, programFolder_, known->facts.version);
            RequestCurrentStatus();
        }
    }
    if (auto names = gameInfo_.TakeNames()) {
        names_ = std::move(names);
        searchIndex_.reset();
        view_.DescribeHistory([this](std::string_view text) { return Describe(text); });
        ShowGameInfo();
    }
    if (auto checked = gameInfo_.TakeStatus(); checked && checked->setName == currentSet_) {
        currentStatus_ = std::move(checked->status);
        ShowGameInfo();
    }
}

void LauncherModel::RequestCurrentStatus() {
    const auto known = namesRequested_ ? KnownFacts() : std::nullopt;
    if (known && known->facts.IsCurrentMame() && !currentSet_.empty()) {
        gameInfo_.RequestStatus(known->executable, programFolder_, known->facts.version,
                                currentSet_, currentSetFile_);
    }
}

std::string LauncherModel::Describe(std::string_view gameText) const {
    const std::string set(
        GameName(RomPathFromText(Trim(gameText, blanks::Spaces), programFolder_)));
    const std::string_view fullName = names_ ? names_->FullNameOf(set) : std::string_view();
    return fullName.empty() ? std::string() : set + " - " + std::string(fullName);
}

void LauncherModel::ShowGameInfo() {
    const std::string_view fullName = names_ ? names_->FullNameOf(currentSet_) : std::string_view();
    const bool missing = currentStatus_ && !currentStatus_->complete;
    std::string title = "Kestrun";
    std::string tip;
    if (!fullName.empty()) {
        title.append(" - ").append(fullName).append(missing ? " [files missing]" : "");
        tip = currentSet_ + " - " + std::string(fullName);
    }
    if (missing) {
        tip = (tip.empty() ? currentSet_ : tip) + "\nFiles missing:";
        if (currentStatus_->badFiles.empty()) {
            tip += " the whole set";
        }
        for (const std::string& file : currentStatus_->badFiles) {
            tip.append("\n").append(file);
        }
    }
    view_.SetTitle(title);
    view_.SetGameToolTip(tip);
}

void LauncherModel::PickGame(std::string_view setName) {
    for (int at = 0; at < romSets_.RomSetCount(); ++at) {
        const std::string path = romSets_.RomSetList[static_cast<std::size_t>(at)];
        if (GameName(path) == setName) {
            romSets_.CurrentRomPath = path;
            romSets_.CurrentRomIndex = at;
            // A set of another folder would not be found by its name alone.
            const bool inRomFolder = RomPathFromText(setName, programFolder_) == path;
            ShowSnapshot(inRomFolder ? setName : std::string_view(path));
            return;
        }
    }
}

std::vector<LauncherModel::SearchRow> LauncherModel::SearchGames(std::string_view typed) {
    if (!searchIndex_) {
        searchSets_.clear();
        std::vector<std::string_view> sets;
        for (std::size_t i = 0; i < romSets_.RomSetList.size(); ++i) {
            searchSets_.emplace_back(GameName(romSets_.RomSetList.NameAt(i)));
        }
        sets.assign(searchSets_.begin(), searchSets_.end());
        searchIndex_.emplace(sets, names_ ? *names_ : GameNames());
    }
    std::vector<SearchRow> rows;
    for (const std::size_t at : searchIndex_->Search(typed)) {
        const std::string& set = searchSets_[at];
        const std::string_view fullName = names_ ? names_->FullNameOf(set) : std::string_view();
        rows.push_back({set, fullName.empty() ? set : set + " - " + std::string(fullName)});
    }
    return rows;
}

bool LauncherModel::TranslationInUse() const {
    const auto known = KnownFacts();
    return kestrun::TranslationInUse(LoadTranslationMode(profile_),
                                     known && known->facts.IsCurrentMame());
}

void LauncherModel::ToggleTranslation() {
    SaveTranslationMode(profile_, TranslationInUse() ? TranslationMode::Off : TranslationMode::On);
}

}  // namespace kestrun
