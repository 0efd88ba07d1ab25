#include "pointrix/buttons/win32/ShippedKeyboardIni.h"

#include <windows.h>

#include <vector>

#include "pointrix/model/FileIo.h"

namespace pointrix {

bool EnsureKeyboardIni(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(276), L"TXT");
  if (!found) return false;
  HGLOBAL handle = LoadResource(module, found);
  const uint8_t* data = handle ? static_cast<const uint8_t*>(LockResource(handle)) : nullptr;
  if (!data) return false;
  return WriteFileBytes(path, std::vector<uint8_t>(data, data + SizeofResource(module, found)));
}

}  // namespace pointrix
