#include "quillon/services/win32/SystemHelpers.h"

#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

constexpr DWORD kPathBuffer = 32780;

bool StatusExists(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) != 0;
}

using NativeSystemInfoFn = void(WINAPI*)(LPSYSTEM_INFO);

// Looked up once; every thread finds the same address, so a plain atomic store
// of that value by more than one of them is harmless.
std::atomic<NativeSystemInfoFn> g_native_info{nullptr};
std::atomic<bool> g_native_info_looked_up{false};

std::wstring VersionString(const wchar_t* name) {
  std::wstring path = GetProgramPath();
  if (path.empty()) return std::wstring();
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return std::wstring();
  std::vector<BYTE> info(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, info.data())) return std::wstring();
  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                      &length) ||
      length < 4 || !translation)
    return std::wstring();
  wchar_t key[128];
  swprintf(key, 128, L"\\StringFileInfo\\%4.4x%4.4x\\%ls", translation->language, translation->codePage,
           name);
  wchar_t* value = nullptr;
  UINT valueLength = 0;
  if (!VerQueryValueW(info.data(), key, reinterpret_cast<void**>(&value), &valueLength) || !value)
    return std::wstring();
  return std::wstring(value);
}

}  // namespace

bool Is64BitWindows() {
  if (!g_native_info_looked_up.load()) {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    NativeSystemInfoFn fn = kernel ? reinterpret_cast<NativeSystemInfoFn>(reinterpret_cast<void*>(
                                         GetProcAddress(kernel, "GetNativeSystemInfo")))
                                   : nullptr;
    g_native_info.store(fn);
    g_native_info_looked_up.store(true);
  }
  NativeSystemInfoFn fn = g_native_info.load();
  if (!fn) return false;
  SYSTEM_INFO info = {};
  fn(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
}

bool FileExists(const std::wstring& original) {
  std::wstring path = original;
  if (path.size() > 260 && path.compare(0, 4, L"\\\\?\\") != 0) path = L"\\\\?\\" + path;
  if (path.find(L'%') != std::wstring::npos) {
    std::vector<wchar_t> expanded(kPathBuffer);
    DWORD length = ExpandEnvironmentStringsW(path.c_str(), expanded.data(), kPathBuffer);
    if (length != 0 && length <= kPathBuffer) path = expanded.data();
  }
  if (StatusExists(path)) return true;
  if (!Is64BitWindows()) return false;
  std::wstring upper = path;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](wchar_t c) { return std::towupper(c); });
  static const std::wstring kFrom = L"SYSTEM32";
  static const std::wstring kTo = L"SYSNATIVE";
  bool replaced = false;
  for (size_t at = upper.find(kFrom); at != std::wstring::npos; at = upper.find(kFrom, at + kTo.size())) {
    upper.replace(at, kFrom.size(), kTo);
    replaced = true;
  }
  return replaced && StatusExists(upper);
}

std::wstring GetProgramProductName() { return VersionString(L"ProductName"); }

std::wstring GetProgramVersion() { return VersionString(L"ProductVersion"); }

std::wstring GetProgramPath() {
  std::vector<wchar_t> buffer(kPathBuffer);
  DWORD length = GetModuleFileNameW(nullptr, buffer.data(), kPathBuffer);
  if (length == 0 || length >= kPathBuffer) return std::wstring();
  return std::wstring(buffer.data(), length);
}

std::wstring GetProgramFolder() {
  std::wstring path = GetProgramPath();
  size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring GetSpecialFolder(int csidl) {
  wchar_t buffer[MAX_PATH + 1] = {};
  if (!SHGetSpecialFolderPathW(nullptr, buffer, csidl, FALSE)) return std::wstring();
  return std::wstring(buffer);
}
