#include <vector>

#include "quillon/engine/win32/Win32ScanSources.h"
#include "quillon/services/win32/Registry.h"

namespace {

HKEY Root(RegistryHive hive) {
  switch (hive) {
    case RegistryHive::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryHive::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryHive::CurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case RegistryHive::Users:
      return HKEY_USERS;
    case RegistryHive::LocalMachine:
      break;
  }
  return HKEY_LOCAL_MACHINE;
}

REGSAM Access(RegistryView view) {
  return KEY_READ | (view == RegistryView::Bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY);
}

bool Open(RegKey& key, RegistryHive hive, const std::wstring& path, RegistryView view) {
  return key.Open(Root(hive), path, Access(view)) == ERROR_SUCCESS;
}

// Registry texts need not end with a zero; cut at the first one or the end.
std::wstring Text(const std::vector<BYTE>& data, DWORD size) {
  const wchar_t* text = reinterpret_cast<const wchar_t*>(data.data());
  const size_t count = size / sizeof(wchar_t);
  size_t length = 0;
  while (length < count && text[length] != L'\0') ++length;
  return std::wstring(text, length);
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

bool Win32RegistrySource::KeyExists(RegistryHive hive, const std::wstring& path, RegistryView view) const {
  RegKey key;
  return Open(key, hive, path, view);
}

bool Win32RegistrySource::Subkeys(RegistryHive hive, const std::wstring& path, RegistryView view,
                                  std::vector<std::wstring>& names) const {
  RegKey key;
  if (!Open(key, hive, path, view)) return false;
  names.clear();
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    const LONG error = RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (error == ERROR_NO_MORE_ITEMS) break;
    if (error == ERROR_SUCCESS)
      names.emplace_back(name, length);
    else if (error != ERROR_MORE_DATA)
      break;  // a name too long for a key is skipped
  }
  return true;
}

bool Win32RegistrySource::Values(RegistryHive hive, const std::wstring& path, RegistryView view,
                                 std::vector<RegistryValue>& values) const {
  RegKey key;
  if (!Open(key, hive, path, view)) return false;
  values.clear();
  DWORD maxName = 0, maxData = 0;
  if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName,
                       &maxData, nullptr, nullptr) != ERROR_SUCCESS)
    return true;
  std::vector<wchar_t> name(maxName + 2);
  std::vector<BYTE> data(maxData + 2);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    LONG error =
        RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
    if (error == ERROR_MORE_DATA) {
      // The key changed since it was measured: grow and ask again.
      name.resize(32780);
      data.resize(dataSize > data.size() ? dataSize + 2 : data.size() * 2 + 64);
      nameLength = static_cast<DWORD>(name.size());
      dataSize = static_cast<DWORD>(data.size());
      error =
          RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
    }
    if (error == ERROR_MORE_DATA) continue;  // still too long: skipped
    if (error != ERROR_SUCCESS) break;
    RegistryValue value;
    value.name.assign(name.data(), nameLength);
    value.isText = IsText(type);
    if (value.isText) value.text = Text(data, dataSize);
    values.push_back(value);
  }
  return true;
}

bool Win32RegistrySource::ReadText(RegistryHive hive, const std::wstring& path, const std::wstring& name,
                                   RegistryView view, std::wstring& text) const {
  RegKey key;
  if (!Open(key, hive, path, view)) return false;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      !IsText(type))
    return false;
  std::vector<BYTE> data(size + 2);
  size = static_cast<DWORD>(data.size());
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS ||
      !IsText(type))
    return false;
  text = Text(data, size);
  return true;
}
