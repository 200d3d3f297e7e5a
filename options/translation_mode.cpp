#include "options/translation_mode.h"

#include <string_view>

namespace kestrun {
namespace {

constexpr std::string_view TranslateOptionsKey = "TranslateOptions";

}  // namespace

TranslationMode LoadTranslationMode(ProfileStore& profile) {
    switch (profile.GetProfileInt(ProfileSection, TranslateOptionsKey, -1)) {
        case 0:
            return TranslationMode::Off;
        case 1:
            return TranslationMode::On;
        default:
            // Whatever else is stored there, the emulator decides.
            return TranslationMode::Automatic;
    }
}

void SaveTranslationMode(ProfileStore& profile, TranslationMode mode) {
    profile.WriteProfileInt(ProfileSection, TranslateOptionsKey, static_cast<std::int32_t>(mode));
}

bool TranslationInUse(TranslationMode mode, bool currentMame) {
    return mode == TranslationMode::On || (mode == TranslationMode::Automatic && currentMame);
}

}  // namespace kestrun
