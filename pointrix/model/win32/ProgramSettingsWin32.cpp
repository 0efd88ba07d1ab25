#include "pointrix/model/win32/ProgramSettingsWin32.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "pointrix/model/win32/PointerAcceleration.h"
#include "pointrix/model/win32/Win32PrivateProfile.h"

namespace pointrix {

std::wstring FileDescriptionOf(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return std::wstring();
  std::vector<uint8_t> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::wstring();
  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* translations = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                      &length) ||
      length < sizeof(Translation)) {
    return std::wstring();
  }
  wchar_t query[64];
  std::swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\FileDescription", translations[0].language,
                translations[0].codePage);
  wchar_t* text = nullptr;
  UINT chars = 0;
  if (!VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&text), &chars) || !text)
    return std::wstring();
  return std::wstring(text, wcsnlen(text, chars));
}

ProgramSettings LoadProgramSettingsWin32(const std::wstring& setIniPath) {
  Win32PrivateProfile profile;
  ProgramSettings settings = LoadProgramSettings(profile, setIniPath, &FileDescriptionOf);
  if (settings.disableAcceleration) ApplyPointerAcceleration(true);
  return settings;
}

bool SaveProgramSettingsWin32(const std::wstring& setIniPath, const ProgramSettings& settings) {
  Win32PrivateProfile profile;
  return SaveProgramSettings(profile, setIniPath, settings);
}

}  // namespace pointrix
