#include "pointrix/model/win32/Win32PrivateProfile.h"

#include <windows.h>

#include <vector>

namespace pointrix {

std::wstring Win32PrivateProfile::GetString(const std::wstring& section, const std::wstring& key,
                                            const std::wstring& defaultValue, size_t size,
                                            const std::wstring& path) {
  if (size == 0) return L"";
  std::vector<wchar_t> buffer(size, L'\0');
  DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                     static_cast<DWORD>(size), path.c_str());
  return std::wstring(buffer.data(), n);
}

unsigned Win32PrivateProfile::GetInt(const std::wstring& section, const std::wstring& key, int defaultValue,
                                     const std::wstring& path) {
  return GetPrivateProfileIntW(section.c_str(), key.c_str(), defaultValue, path.c_str());
}

bool Win32PrivateProfile::WriteString(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& value, const std::wstring& path) {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

}  // namespace pointrix
