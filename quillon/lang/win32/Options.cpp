#include "quillon/lang/win32/Options.h"

#include <shlobj.h>

#include "quillon/lang/IniFile.h"
#include "quillon/lang/ProductFolder.h"
#include "quillon/lang/win32/FrameworkLocks.h"
#include "quillon/lang/win32/IniFileWin32.h"
#include "quillon/services/win32/SystemHelpers.h"

namespace {

const wchar_t kSection[] = L"APPOPT";

std::wstring g_common_folder;  // guarded by CommonDataFolderLock
std::wstring g_user_folder;    // guarded by UserDataFolderLock

void EnsureFolder(const std::wstring& folder) {
  if (!FileExists(folder)) CreateDirectoryW(folder.c_str(), nullptr);
}

std::wstring DataFolder(int csidl) {
  std::wstring root = GetSpecialFolder(csidl);
  std::wstring maker = root + L"\\brivane";
  EnsureFolder(maker);
  std::wstring folder = maker + L"\\" + ProductFolderName(GetProgramProductName(), GetProgramPath());
  EnsureFolder(folder);
  return folder;
}

std::wstring CommonOptionsFile() { return GetCommonDataFolder() + L"\\options.ini"; }
std::wstring UserOptionsFile() { return GetUserDataFolder() + L"\\options.ini"; }

}  // namespace

std::wstring GetCommonDataFolder() {
  std::lock_guard<std::mutex> hold(CommonDataFolderLock());
  if (g_common_folder.empty()) g_common_folder = DataFolder(CSIDL_COMMON_APPDATA);
  return g_common_folder;
}

std::wstring GetUserDataFolder() {
  std::lock_guard<std::mutex> hold(UserDataFolderLock());
  if (g_user_folder.empty()) g_user_folder = DataFolder(CSIDL_APPDATA);
  return g_user_folder;
}

std::wstring ReadOption(const std::wstring& key, const std::wstring& def) {
  IniFile user(Win32IniFileSystem());
  user.Load(UserOptionsFile());
  std::wstring value = user.GetText(kSection, key, def);
  if (value != def) return value;
  IniFile common(Win32IniFileSystem());
  common.Load(CommonOptionsFile());
  return common.GetText(kSection, key, def);
}

int ReadOptionInt(const std::wstring& key, int def) {
  IniFile user(Win32IniFileSystem());
  user.Load(UserOptionsFile());
  int value = user.GetInt(kSection, key, def);
  if (value != def) return value;
  IniFile common(Win32IniFileSystem());
  common.Load(CommonOptionsFile());
  return common.GetInt(kSection, key, def);
}

bool WriteOption(const std::wstring& key, const std::wstring& value) {
  IniFile common(Win32IniFileSystem());
  common.Load(CommonOptionsFile());
  common.SetText(kSection, key, value);
  if (common.Save()) return true;
  IniFile user(Win32IniFileSystem());
  user.Load(UserOptionsFile());
  user.SetText(kSection, key, value);
  return user.Save();
}
