#pragma once

#include <string>

#include "pointrix/model/ProgramSettings.h"

namespace pointrix {

// The file description in a program file's version resource (the first
// translation it lists); empty when it has none.
std::wstring FileDescriptionOf(const std::wstring& path);

// LoadProgramSettings through the system's profile functions, naming linked
// programs by their file description, and turning the system's pointer
// acceleration off when "disable_acc" is 1.
ProgramSettings LoadProgramSettingsWin32(const std::wstring& setIniPath);

// SaveProgramSettings through the system's profile functions.
bool SaveProgramSettingsWin32(const std::wstring& setIniPath, const ProgramSettings& settings);

}  // namespace pointrix
