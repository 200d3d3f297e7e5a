#pragma once

#include <cstdint>

#include "platform/profile_store.h"

namespace kestrun {

// Whether the generated options are translated for a current MAME, stored under
// "TranslateOptions" the moment the menu changes it: absent (or -1) decides by the emulator,
// 0 never translates, 1 always does.
enum class TranslationMode : std::int32_t { Automatic = -1, Off = 0, On = 1 };

TranslationMode LoadTranslationMode(ProfileStore& profile);
void SaveTranslationMode(ProfileStore& profile, TranslationMode mode);

bool TranslationInUse(TranslationMode mode, bool currentMame);

}  // namespace kestrun
