#include "launch/emulator_selection.h"

#include <algorithm>

#include "platform/file_system.h"

namespace kestrun {
namespace {

constexpr std::string_view Mame = "mame.exe";
constexpr std::string_view MamePlusPlus = "mamepp.exe";
constexpr std::string_view Mame32 = "mame32.exe";

constexpr std::string_view NotFoundCaption = "mame not found";
constexpr std::string_view NotFoundText =
    "Kestrun and MAME should be installed in the same folder.";

bool Present(const std::string& programFolder, std::string_view name) {
    return FileExists(programFolder + std::string(name));
}

bool AnyEmulatorPresent(const std::string& programFolder) {
    return Present(programFolder, Mame) || Present(programFolder, MamePlusPlus) ||
           Present(programFolder, Mame32);
}

EmulatorCommand CommandFor(std::string_view executable, std::string_view arguments, bool detach) {
    return {std::string(executable) + " " + std::string(arguments), detach};
}

}  // namespace

std::optional<EmulatorCommand> SelectEmulator(const std::string& programFolder,
                                              std::string_view arguments, std::int32_t mame32,
                                              bool detach, MessageBoxService& messages) {
    if (!AnyEmulatorPresent(programFolder)) {
        messages.Show({.text = std::string(NotFoundText),
                       .caption = std::string(NotFoundCaption),
                       .buttons = MessageButtons::Ok,
                       .icon = MessageIcon::Exclamation});
        return std::nullopt;
    }
    // mame32.exe always runs with a console, whatever the options asked for.
    if (Present(programFolder, Mame32) && (!Present(programFolder, MamePlusPlus) || mame32 != 0)) {
        return CommandFor(Mame32, arguments, false);
    }
    if (Present(programFolder, MamePlusPlus)) {
        return CommandFor(MamePlusPlus, arguments, detach);
    }
    return CommandFor(Mame, arguments, detach);
}

bool ConfirmEmulatorInstalled(const std::string& programFolder, MessageBoxService& messages) {
    if (AnyEmulatorPresent(programFolder)) {
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
