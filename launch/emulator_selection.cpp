#include "launch/emulator_selection.h"

#include <algorithm>

#include "platform/file_system.h"

namespace kestrun {
namespace {

constexpr std::string_view Mame = "mame.exe";
constexpr std::string_view MamePlusPlus = "mamepp.exe";
constexpr std::string_view Mame32 = "mame32.exe";
// What MAME is called where it is not a Windows program.
constexpr std::string_view NativeMame = "mame";

constexpr std::string_view NotFoundCaption = "mame not found";
constexpr std::string_view NotFoundText =
    "Kestrun and MAME should be installed in the same folder.";

bool Present(const std::string& programFolder, std::string_view name) {
    return FileExists(programFolder + std::string(name));
}

ChosenEmulator InProgramFolder(const std::string& programFolder, std::string_view name,
                               bool keepsDetach) {
    return {std::string(name), programFolder + std::string(name), EmulatorCaptionName(name),
            keepsDetach};
}

// A native MAME stands in for mame.exe, under the same caption.
std::optional<ChosenEmulator> NativeEmulator(const std::string& programFolder) {
    if (IsExecutableFile(programFolder + std::string(NativeMame))) {
        return ChosenEmulator{std::string(NativeMame), programFolder + std::string(NativeMame),
                              "MAME", true};
    }
    const std::optional<std::string> onPath = FindOnPath(NativeMame);
    // The command line's first word can quote blanks but never hold a quote.
    if (!onPath || onPath->find('"') != std::string::npos) {
        return std::nullopt;
    }
    const bool quoted = onPath->find_first_of(" \t") != std::string::npos;
    return ChosenEmulator{quoted ? "\"" + *onPath + "\"" : *onPath, *onPath, "MAME", true};
}

}  // namespace

std::optional<ChosenEmulator> ChooseEmulator(const std::string& programFolder,
                                             std::int32_t mame32) {
    const bool hasMame32 = Present(programFolder, Mame32);
    const bool hasMamePlusPlus = Present(programFolder, MamePlusPlus);
    // mame32.exe always runs with a console, whatever the options asked for.
    if (hasMame32 && (!hasMamePlusPlus || mame32 != 0)) {
        return InProgramFolder(programFolder, Mame32, false);
    }
    if (hasMamePlusPlus) {
        return InProgramFolder(programFolder, MamePlusPlus, true);
    }
    if (Present(programFolder, Mame)) {
        return InProgramFolder(programFolder, Mame, true);
    }
    return NativeEmulator(programFolder);
}

std::optional<EmulatorCommand> SelectEmulator(const std::string& programFolder,
                                              std::string_view arguments, std::int32_t mame32,
                                              bool detach, MessageBoxService& messages) {
    const std::optional<ChosenEmulator> chosen = ChooseEmulator(programFolder, mame32);
    if (!chosen) {
        messages.Show({.text = std::string(NotFoundText),
                       .caption = std::string(NotFoundCaption),
                       .buttons = MessageButtons::Ok,
                       .icon = MessageIcon::Exclamation});
        return std::nullopt;
    }
    return EmulatorCommand{chosen->commandWord + " " + std::string(arguments),
                           detach && chosen->keepsDetach, chosen->executable, chosen->captionName};
}

bool ConfirmEmulatorInstalled(const std::string& programFolder, MessageBoxService& messages) {
    if (ChooseEmulator(programFolder, 0)) {
        return true;
    }
    const MessageResult answer =
        messages.Show({.text = std::string(NotFoundText) + " Proceed Anyway?",
                       .caption = std::string(NotFoundCaption),
                       .buttons = MessageButtons::OkCancel,
                       .icon = MessageIcon::Exclamation,
                       .defaultButton = 1});
    return answer == MessageResult::Ok;
}

bool OffersMame32Choice(const std::string& programFolder) {
    return Present(programFolder, Mame32) && Present(programFolder, MamePlusPlus);
}

std::string EmulatorCaptionName(std::string_view commandLine) {
    std::string name(commandLine.substr(0, commandLine.find('.')));
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return name;
}

}  // namespace kestrun
