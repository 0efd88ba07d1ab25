#pragma once

#include <windows.h>

#include <string>

// A value of an open key as text: REG_SZ as it is, REG_EXPAND_SZ expanded,
// REG_DWORD as signed decimal ("%d"); anything else or a missing value gives "".
std::wstring ReadRegistryText(HKEY key, const std::wstring& valueName);

// REG_DWORD as it is, REG_SZ converted from decimal text, anything else 0.
DWORD ReadRegistryDword(HKEY key, const std::wstring& valueName);

// Creates root\subKey in the 64-bit view (view64) or the 32-bit view and sets
// valueName to text as REG_SZ. 1 when the key already existed, 0 when it was
// created, -1 on failure.
int WriteRegistryText(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                      const std::wstring& text, bool view64);

// Closes the key it holds; a key that failed to open stays null.
class RegKey {
 public:
  RegKey() = default;
  ~RegKey() { Close(); }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  // RegOpenKeyExW; returns the Windows error code (ERROR_SUCCESS on success).
  LONG Open(HKEY root, const std::wstring& subKey, REGSAM access);
  void Close();
  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};
