#pragma once

#include <string>

namespace pointrix {

// Writes the layout the program carries (text resource 276) to path when no
// file is there, so a missing keyboard.ini beside the program comes back.
// True when the file exists afterwards.
bool EnsureKeyboardIni(const std::wstring& path);

}  // namespace pointrix
