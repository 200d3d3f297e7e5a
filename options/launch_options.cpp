#include "options/launch_options.h"

namespace kestrun {

LaunchOptions LoadLaunchOptions(ProfileStore& profile) {
    LaunchOptions options;
    for (const LaunchOptionKey& entry : LaunchOptionKeys) {
        options.*entry.member =
            profile.GetProfileInt(ProfileSection, entry.key, entry.defaultValue);
    }
    return options;
}

void SaveLaunchOptions(ProfileStore& profile, const LaunchOptions& options) {
    for (const std::string_view key : LaunchOptionCloseOrder) {
        profile.WriteProfileInt(
            ProfileSection, key,
            options.*LaunchOptionKeys[IndexOfKey(LaunchOptionKeys, key)].member);
    }
}

void SaveLoFi(ProfileStore& profile, std::int32_t loFi) {
    profile.WriteProfileInt(ProfileSection, LoFiKey, loFi);
}

void SaveD3d(ProfileStore& profile, std::int32_t d3d) {
    profile.WriteProfileInt(ProfileSection, D3dKey, d3d);
}

}  // namespace kestrun
