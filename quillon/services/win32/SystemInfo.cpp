#include "quillon/services/win32/SystemInfo.h"

#include <cwchar>
#include <vector>

#include "quillon/lang/win32/LanguageModule.h"
#include "quillon/services/SystemInfoText.h"
#include "quillon/services/win32/ComputerId.h"
#include "quillon/services/win32/Registry.h"
#include "quillon/services/win32/SystemHelpers.h"
#include "quillon/services/win32/WmiQuery.h"

namespace {

std::wstring SubkeyName(HKEY key, DWORD index) {
  wchar_t name[256];
  if (RegEnumKeyW(key, index, name, 255) != ERROR_SUCCESS) return std::wstring();
  name[255] = L'\0';
  return name;
}

}  // namespace

std::wstring GetOsVersionText() {
  const wchar_t* bits = Is64BitWindows() ? L"64" : L"32";
  wchar_t text[512];
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (GetVersionExW(&info)) {
    swprintf(text, 512, L"%d.%d (%ls) %ls", static_cast<int>(info.dwMajorVersion),
             static_cast<int>(info.dwMinorVersion), bits, info.szCSDVersion);
    return text;
  }
  DWORD version = GetVersion();
#pragma GCC diagnostic pop
  swprintf(text, 512, L"%d.%d (%ls)", static_cast<int>(version & 0xFF),
           static_cast<int>((version >> 8) & 0xFF), bits);
  return text;
}

std::wstring GetDotNetVersionTextFrom(HKEY root, const std::wstring& ndpKey) {
  std::wstring best, bestSp;
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    RegKey ndp;
    if (ndp.Open(root, ndpKey, KEY_READ | view) != ERROR_SUCCESS) continue;
    for (DWORD i = 0;; ++i) {
      std::wstring k = SubkeyName(ndp.get(), i);
      if (k.empty()) break;
      RegKey sub;
      if (sub.Open(root, ndpKey + L"\\" + k, KEY_READ | view) != ERROR_SUCCESS) continue;
      std::wstring v = ReadRegistryText(sub.get(), L"Version");
      std::wstring s = ReadRegistryText(sub.get(), L"SP");
      if (v.empty()) {
        // Version 4 and later keep it one level down (Client, Full).
        for (DWORD j = 0;; ++j) {
          std::wstring c = SubkeyName(sub.get(), j);
          if (c.empty()) break;
          RegKey leaf;
          if (leaf.Open(root, ndpKey + L"\\" + k + L"\\" + c, KEY_READ | view) != ERROR_SUCCESS) continue;
          std::wstring vc = ReadRegistryText(leaf.get(), L"Version");
          std::wstring sc = ReadRegistryText(leaf.get(), L"SP");
          v = HigherVersion(vc, v);
          if (vc == v) s = sc;
        }
      }
      best = HigherVersion(v, best);
      if (v == best) bestSp = s;
    }
  }
  if (best.empty()) return L"0";
  return bestSp.empty() ? best : best + L"SP " + bestSp;
}

std::wstring GetDotNetVersionText() {
  return GetDotNetVersionTextFrom(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP");
}

std::wstring GetMemorySizeText() {
  WmiQuery wmi;
  if (!wmi.Connect()) return std::wstring();
  std::vector<WmiRow> physical;
  wmi.Run(L"SELECT * FROM Win32_PhysicalMemory", {L"Capacity"}, physical);
  long long total = MemoryTotalFromWmi(physical, [&wmi] {
    std::vector<WmiRow> rows;
    wmi.Run(L"SELECT * FROM Win32_OperatingSystem", {L"TotalVisibleMemorySize"}, rows);
    return rows;
  });
  return FormatByteSize(total, true);
}

std::wstring BuildSystemInfoJson() {
  return SystemInfoJson(GetComputerId(), GetUserLanguageCode(), GetOsVersionText(), GetDotNetVersionText(),
                        GetMemorySizeText());
}
