#include "quillon/lang/win32/TempFiles.h"

#include <windows.h>

#include <cwchar>

#include "quillon/lang/win32/FrameworkLocks.h"
#include "quillon/services/win32/SystemHelpers.h"

namespace {

std::wstring g_temp_folder;              // guarded by TempFolderLock
std::vector<std::wstring> g_temp_files;  // guarded by TempFileListLock

std::wstring TempFolder() {
  std::lock_guard<std::mutex> hold(TempFolderLock());
  if (g_temp_folder.empty()) {
    std::vector<wchar_t> buffer(32780);
    DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length > 0 && length < buffer.size()) g_temp_folder.assign(buffer.data(), length);
  }
  return g_temp_folder;
}

}  // namespace

std::wstring MakeTempFileName(const std::wstring& extension) {
  std::wstring folder = TempFolder();
  std::lock_guard<std::mutex> hold(TempFileListLock());
  for (;;) {
    // The folder ends with a backslash already; the doubled one is harmless.
    std::wstring name = folder + L"\\MrFramework_" + std::to_wstring(g_temp_files.size()) + L"." + extension;
    g_temp_files.push_back(name);
    if (!FileExists(name)) return name;
  }
}

std::vector<std::wstring> TempFileNames() {
  std::lock_guard<std::mutex> hold(TempFileListLock());
  return g_temp_files;
}

void DeleteTempFiles() {
  std::lock_guard<std::mutex> hold(TempFileListLock());
  for (const std::wstring& name : g_temp_files) DeleteFileW(name.c_str());
  g_temp_files.clear();
}
