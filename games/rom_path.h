#pragma once

#include <string>
#include <string_view>

// How a game name, a typed text and a ROM set file relate.
namespace kestrun {

// The folder of the ROM sets below the program folder.
inline constexpr std::string_view RomFolderName = "roms/";
inline constexpr std::string_view RomSetExtension = ".zip";

// The text before the first " -": emulator options typed after the game name are dropped.
// A blank before the " -" stays.
std::string_view CutEmulatorOptions(std::string_view text);

// Turns the game box text into a ROM set path: options cut off, a relative name placed in
// the program's ROM folder, ".zip" appended unless the text already ends in exactly ".zip".
// Blanks are not trimmed; the caller decides. programFolder ends with a separator.
std::string RomPathFromText(std::string_view text, std::string_view programFolder);

// The base name of a ROM set path: after the last separator, before the last dot.
std::string_view GameName(std::string_view romPath);

// The game text with the extension of its game's file name dropped ("roms/dkong.zip -cheat"
// gives "roms/dkong -cheat"). Only the file name of the part before the options can carry an
// extension: a dot in a folder name or in a typed option stays.
std::string WithoutGameExtension(std::string_view text);

}  // namespace kestrun
