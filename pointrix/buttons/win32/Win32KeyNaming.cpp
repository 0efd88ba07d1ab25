#include "pointrix/buttons/win32/Win32KeyNaming.h"

#include <windows.h>

#include <string>
#include <vector>

#include "pointrix/buttons/KeyNames.h"
#include "pointrix/buttons/ScanCodeMap.h"

namespace pointrix {

namespace {

const int kScanCodeResource = 163;

std::vector<uint8_t> LoadScanCodeResource() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(kScanCodeResource), L"TXT");
  if (!found) return {};
  HGLOBAL handle = LoadResource(module, found);
  DWORD size = SizeofResource(module, found);
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data || size == 0) return {};
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

std::wstring KeyNameText(long param) {
  wchar_t buffer[51] = {};
  int n = GetKeyNameTextW(param, buffer, 50);
  return n > 0 ? std::wstring(buffer, static_cast<size_t>(n)) : std::wstring();
}

}  // namespace

void InstallWin32KeyNaming() {
  SetScanCodeTextSource(&LoadScanCodeResource);
  SetKeyNameTextProvider(&KeyNameText);
}

}  // namespace pointrix
