#include "options/advanced_options.h"

namespace kestrun {

AdvancedOptions LoadAdvancedOptions(ProfileStore& profile) {
    AdvancedOptions options;
    for (const std::string_view key : AdvancedOptionDialogReadOrder) {
        const AdvancedOptionKey& entry = AdvancedOptionKeys[IndexOfKey(AdvancedOptionKeys, key)];
        options.*entry.member = profile.GetProfileInt(ProfileSection, key, entry.dialogDefault);
    }
    return options;
}

void SaveAdvancedOptions(ProfileStore& profile, const AdvancedOptions& options) {
    for (const AdvancedOptionKey& entry : AdvancedOptionKeys) {
        profile.WriteProfileInt(ProfileSection, entry.key, options.*entry.member);
    }
}

std::int32_t ReadAdvancedOptionAtLaunch(ProfileStore& profile,
                                        std::int32_t AdvancedOptions::*field) {
    for (const AdvancedOptionKey& entry : AdvancedOptionKeys) {
        if (entry.member == field) {
            return profile.GetProfileInt(ProfileSection, entry.key, entry.launchDefault);
        }
    }
    return 0;
}

}  // namespace kestrun
