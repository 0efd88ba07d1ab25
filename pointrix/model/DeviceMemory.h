#pragma once

#include <cstdint>

// The mouse's 1024-byte settings image and the addresses the program uses
// in it (macros live at 1024 and above).
namespace pointrix {

inline constexpr int kDeviceMemorySize = 1024;
inline constexpr int kProfiles = 5;
inline constexpr int kButtonsPerProfile = 16;
inline constexpr int kDpiLevels = 5;
inline constexpr int kMacroSlots = 80;
inline constexpr int kKeyCycleSize = 21;
inline constexpr int kProfileNameChars = 9;
inline constexpr int kProfileNameBytes = 18;
// Highest valid address before a device has been probed.
inline constexpr uint32_t kDefaultHighestAddress = 0x1FFF;

namespace mem {

inline constexpr int kFactoryMark = 0;
inline constexpr int kDpiLevel = 2;
inline constexpr int kFlags = 15;  // bit 0 angle snapping, bits 4..6 polling code
inline constexpr int DpiX(int level) { return 4 + 2 * level; }
inline constexpr int DpiY(int level) { return 5 + 2 * level; }
inline constexpr int ProfileBlock(int profile) { return 16 + 96 * profile; }
inline constexpr int ProfileColour(int profile) { return ProfileBlock(profile) + 3; }
inline constexpr int ProfileName(int profile) { return ProfileBlock(profile) + 14; }
// The four bytes of a button lie 16 bytes apart.
inline constexpr int ButtonType(int profile, int button) { return ProfileBlock(profile) + 32 + button; }
inline constexpr int ButtonP1(int profile, int button) { return ProfileBlock(profile) + 48 + button; }
inline constexpr int ButtonP2(int profile, int button) { return ProfileBlock(profile) + 64 + button; }
inline constexpr int ButtonP3(int profile, int button) { return ProfileBlock(profile) + 80 + button; }
inline constexpr int MacroDirectory(int slot) { return 512 + 4 * slot; }
inline constexpr int MacroRunType(int slot) { return 832 + slot; }
inline constexpr int KeyCycle(int profile) { return 912 + 21 * profile; }
inline constexpr int kMacroArea = 1024;

}  // namespace mem

// Report rate of a polling interval code: 1000 / (code + 1) Hz.
inline constexpr int ReportRateHz(int code) { return 1000 / (code + 1); }
// The main window's polling slider shows 7 - code.
inline constexpr int PollingSliderPosition(int code) { return 7 - code; }

}  // namespace pointrix
