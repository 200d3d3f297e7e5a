#pragma once

// Numbers of the program's resources, controls and commands. Stored settings do not depend on
// them, but menu commands, accelerators and tooltips are matched through them.
namespace kestrun::ids {

// Dialog templates, menu, accelerator table.
inline constexpr int AboutDialog = 100;
inline constexpr int MainDialog = 102;
inline constexpr int MainMenu = 152;
inline constexpr int AdvancedOptionsDialog = 153;
inline constexpr int MainAccelerators = 154;

// Pictures.
inline constexpr int DefaultSnapshotBitmap = 129;
inline constexpr int ProgramIcon = 130;
inline constexpr int NextIcon = 144;
inline constexpr int PreviousIcon = 146;
inline constexpr int SoundOffIcon = 147;
inline constexpr int SoundOnIcon = 148;
inline constexpr int DeleteSnapshotIcon = 149;
inline constexpr int FullScreenIcon = 150;

// Strings without a control of the same number.
inline constexpr int AboutMenuItemString = 101;

// The standard buttons are the framework's IdOk and IdCancel.

// Main dialog.
inline constexpr int GameBox = 1000;
inline constexpr int Browse = 1001;
inline constexpr int InputStandard = 1002;
inline constexpr int InputController = 1005;
inline constexpr int Steadykey = 1006;
inline constexpr int VideoWindow = 1008;
inline constexpr int VideoFullScreen = 1009;
inline constexpr int Stretch = 1010;
inline constexpr int Start = 1012;
inline constexpr int Exit = 1013;
inline constexpr int About = 1015;
inline constexpr int SoundButton = 1018;
inline constexpr int ControllerList = 1019;
inline constexpr int Mouse = 1021;
inline constexpr int Joystick = 1022;
inline constexpr int CollapseMarker = 1023;
inline constexpr int CollapseToggle = 1024;
inline constexpr int ScanlinesList = 1025;
inline constexpr int MaskList = 1026;
inline constexpr int EffectNone = 1027;
inline constexpr int EffectSharpen = 1028;
inline constexpr int EffectScanlines = 1029;
inline constexpr int EffectMasks = 1030;
inline constexpr int ResolutionList = 1033;
inline constexpr int Bypass = 1034;
inline constexpr int Cheat = 1035;
inline constexpr int PreviousGame = 1037;
inline constexpr int NextGame = 1038;
inline constexpr int UseMame32 = 1039;
inline constexpr int Lightgun = 1040;
inline constexpr int Artwork = 1041;
inline constexpr int Artcrop = 1042;
inline constexpr int Artres = 1043;
inline constexpr int DeleteSnapshot = 1044;
inline constexpr int FullScreen = 1045;
inline constexpr int BottomSeparator = 1046;
inline constexpr int BackdropsOverlays = 1047;
inline constexpr int Bezels = 1048;
inline constexpr int SnapshotPicture = 129;

// Advanced Options dialog.
inline constexpr int NoSkipDisclaimerBox = 1049;
inline constexpr int FilterBox = 1051;
inline constexpr int TextureManagementBox = 1052;
inline constexpr int NoSkipGameinfoBox = 1053;
inline constexpr int NoRdtscBox = 1054;
inline constexpr int FeedbackSlider = 1058;
inline constexpr int FeedbackBox = 1059;

// About box.
inline constexpr int ViewHelp = 1020;
inline constexpr int UninstallButton = 1036;
inline constexpr int HomePageLink = 1055;
inline constexpr int HomePageIconLink = 1056;

// Menu commands.
inline constexpr int AboutSystemCommand = 16;
inline constexpr int MenuStart = 32774;
inline constexpr int MenuOpen = 32775;
inline constexpr int MenuDeleteSnapshot = 32776;
inline constexpr int MenuExit = 32777;
inline constexpr int MenuFullScreen = 32778;
inline constexpr int MenuSoundEnabled = 32779;
inline constexpr int MenuAdvancedOptions = 32780;
inline constexpr int MenuUninstall = 32781;
inline constexpr int MenuAbout = 32782;
inline constexpr int MenuDocumentation = 32784;
inline constexpr int MenuLoFi = 32786;
inline constexpr int MenuDirectDraw = 32787;
inline constexpr int MenuDirect3D = 32788;
inline constexpr int MenuGetEmulator = 32789;
inline constexpr int MenuTranslateOptions = 32790;

}  // namespace kestrun::ids
