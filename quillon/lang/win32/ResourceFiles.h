#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A copy of a resource's bytes followed by at least 32 zero bytes, so text
// resources can be read as terminated strings.
struct ResourceCopy {
  std::vector<BYTE> bytes;
  DWORD size = 0;  // the resource's own size
};

// False when FindResourceW, LoadResource or LockResource fails.
bool LoadResourceCopy(HMODULE module, UINT id, const wchar_t* type, ResourceCopy& copy);

// Writes a resource to a file. 0 on success, ERROR_INVALID_DATA (13) when the
// resource cannot be had, otherwise the last Windows error after the write (a
// partly written file is deleted).
DWORD ExtractResourceToFile(HMODULE module, UINT id, const wchar_t* type, const std::wstring& path);
