#include "quillon/services/win32/Registry.h"

#include <cwchar>
#include <vector>

namespace {

// Registry texts need not end with a zero; cut at the first one or the end.
std::wstring TextFromBuffer(const std::vector<BYTE>& buffer, DWORD size) {
  const wchar_t* text = reinterpret_cast<const wchar_t*>(buffer.data());
  size_t count = size / sizeof(wchar_t);
  size_t length = 0;
  while (length < count && text[length] != L'\0') ++length;
  return std::wstring(text, length);
}

}  // namespace

LONG RegKey::Open(HKEY root, const std::wstring& subKey, REGSAM access) {
  Close();
  HKEY key = nullptr;
  LONG error = RegOpenKeyExW(root, subKey.c_str(), 0, access, &key);
  if (error == ERROR_SUCCESS) key_ = key;
  return error;
}

void RegKey::Close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}

std::wstring ReadRegistryText(HKEY key, const std::wstring& valueName) {
  if (!key) return std::wstring();
  DWORD type = 0;
  if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
    return std::wstring();
  // Extra room for a terminating zero the stored value may lack.
  std::vector<BYTE> buffer(32766 + sizeof(wchar_t));
  DWORD size = 32766;
  LONG error;
  while ((error = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, buffer.data(), &size)) ==
         ERROR_MORE_DATA) {
    size_t grown = buffer.size() - sizeof(wchar_t) + 4096 * sizeof(wchar_t);
    if (size > grown) grown = size;
    buffer.assign(grown + sizeof(wchar_t), 0);
    size = static_cast<DWORD>(grown);
  }
  if (error != ERROR_SUCCESS) return std::wstring();
  switch (type) {
    case REG_SZ:
      return TextFromBuffer(buffer, size);
    case REG_EXPAND_SZ: {
      std::wstring raw = TextFromBuffer(buffer, size);
      DWORD needed = ExpandEnvironmentStringsW(raw.c_str(), nullptr, 0);
      if (needed == 0) return raw;
      std::vector<wchar_t> expanded(needed);
      if (ExpandEnvironmentStringsW(raw.c_str(), expanded.data(), needed) != needed) return raw;
      return std::wstring(expanded.data());
    }
    case REG_DWORD: {
      if (size < sizeof(DWORD)) return std::wstring();
      DWORD value;
      memcpy(&value, buffer.data(), sizeof(value));
      return std::to_wstring(static_cast<long>(static_cast<int32_t>(value)));
    }
    default:
      return std::wstring();
  }
}

DWORD ReadRegistryDword(HKEY key, const std::wstring& valueName) {
  if (!key) return 0;
  DWORD type = 0;
  if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) return 0;
  if (type == REG_DWORD) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        size != sizeof(value))
      return 0;
    return value;
  }
  if (type == REG_SZ)
    return static_cast<DWORD>(wcstol(ReadRegistryText(key, valueName).c_str(), nullptr, 10));
  return 0;
}

int WriteRegistryText(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                      const std::wstring& text, bool view64) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  REGSAM access = KEY_ALL_ACCESS | (view64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY);
  if (RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                      &disposition) != ERROR_SUCCESS)
    return -1;
  LONG error = RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  if (error != ERROR_SUCCESS) return -1;
  return disposition == REG_OPENED_EXISTING_KEY ? 1 : 0;
}
