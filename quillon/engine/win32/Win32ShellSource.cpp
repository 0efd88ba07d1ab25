#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "quillon/engine/win32/Win32ScanSources.h"
#include "quillon/lang/win32/ResourceFiles.h"
#include "quillon/services/win32/Shortcut.h"
#include "quillon/services/win32/SystemHelpers.h"

namespace {

std::wstring WithoutTrailingSlash(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

}  // namespace

std::wstring Win32ShellSource::SpecialFolder(int csidl) const { return GetSpecialFolder(csidl); }

std::wstring Win32ShellSource::TempFolder() const {
  wchar_t buffer[MAX_PATH + 2];
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH + 1) return std::wstring();
  return WithoutTrailingSlash(std::wstring(buffer, length));
}

std::wstring Win32ShellSource::ProgramFilesFolder() const { return GetSpecialFolder(CSIDL_PROGRAM_FILES); }

std::wstring Win32ShellSource::ProgramFolder() const { return GetProgramFolder(); }

std::wstring Win32ShellSource::SystemFolder() const {
  wchar_t buffer[MAX_PATH + 1];
  const UINT length = GetSystemDirectoryW(buffer, MAX_PATH + 1);
  return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(buffer, length);
}

std::wstring Win32ShellSource::ExpandEnvironment(const std::wstring& text) const {
  const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::vector<wchar_t> buffer(needed + 1);
  const DWORD length = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), needed + 1);
  if (length == 0 || length > needed + 1) return text;
  return std::wstring(buffer.data());
}

bool Win32ShellSource::ResolveShortcut(const std::wstring& lnk, std::wstring& target) const {
  std::wstring path, arguments;
  if (FAILED(::ResolveShortcut(lnk, path, arguments)) || path.empty()) return false;
  // The link keeps its target as written, variables included.
  target = ExpandEnvironment(path);
  return true;
}

bool Win32ShellSource::Is32BitProcessOn64BitWindows() const {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

bool Win32ShellSource::QueryRecycleBin(const std::wstring& root, uint64_t& bytes, uint64_t& items) const {
  SHQUERYRBINFO info = {};
  info.cbSize = sizeof info;
  if (FAILED(SHQueryRecycleBinW(root.empty() ? nullptr : root.c_str(), &info))) return false;
  bytes = static_cast<uint64_t>(info.i64Size);
  items = static_cast<uint64_t>(info.i64NumItems);
  return true;
}

bool Win32ShellSource::WriteProcessDatabase(const std::wstring& path) const {
  HMODULE module = resources_ ? resources_ : GetModuleHandleW(nullptr);
  return ExtractResourceToFile(module, 130, L"DATA", path) == 0;
}
