#pragma once

#include <string>
#include <string_view>

#include "platform/message_box.h"

namespace kestrun {

// The name the per-game rules key on: the game text after its last path separator, in lower
// case. A ".zip" ending or typed options stay in it.
std::string LookupNameOf(std::string_view gameText);

bool IsVectorGame(std::string_view lookupName);
bool RequiresSound(std::string_view lookupName);

// True when programFolder/artwork/<lookup name>[.zip] is a file. The folder ends with a
// separator.
bool HasArtworkArchive(const std::string& programFolder, std::string_view lookupName);

// The refusal shown when a game that needs sound is started muted; its caption is the name.
MessageBoxRequest SoundRefusal(std::string_view lookupName);

}  // namespace kestrun
