#include "quillon/lang/win32/ResourceFiles.h"

#include <cstring>

bool LoadResourceCopy(HMODULE module, UINT id, const wchar_t* type, ResourceCopy& copy) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (!found) return false;
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return false;
  const void* data = LockResource(loaded);
  if (!data) return false;
  DWORD size = SizeofResource(module, found);
  copy.size = size;
  copy.bytes.assign(static_cast<size_t>(size) + 32, 0);
  if (size) std::memcpy(copy.bytes.data(), data, size);
  return true;
}

DWORD ExtractResourceToFile(HMODULE module, UINT id, const wchar_t* type, const std::wstring& path) {
  ResourceCopy copy;
  if (!LoadResourceCopy(module, id, type, copy)) return ERROR_INVALID_DATA;
  SetLastError(0);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    BOOL ok = WriteFile(file, copy.bytes.data(), copy.size, &written, nullptr);
    DWORD error = GetLastError();
    FlushFileBuffers(file);
    CloseHandle(file);
    if (!ok || written < copy.size) {
      DeleteFileW(path.c_str());
      // A short write must not be reported as success.
      return error ? error : ERROR_WRITE_FAULT;
    }
    SetLastError(error);
  }
  DWORD result = GetLastError();
  return result == ERROR_ALREADY_EXISTS ? 0 : result;
}
