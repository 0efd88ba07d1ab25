#pragma once

#include <string>
#include <vector>

// The registry as the scan engine sees it: read-only, with explicit views.
enum class RegistryHive { ClassesRoot, CurrentUser, LocalMachine, CurrentConfig, Users };
enum class RegistryView { Bits32, Bits64 };

struct RegistryValue {
  std::wstring name;
  bool isText = false;  // a string or expandable-string value
  std::wstring text;    // the data when isText
};

class IRegistrySource {
 public:
  virtual ~IRegistrySource() = default;
  virtual bool KeyExists(RegistryHive hive, const std::wstring& path, RegistryView view) const = 0;
  // Names of the subkeys; false when the key cannot be opened.
  virtual bool Subkeys(RegistryHive hive, const std::wstring& path, RegistryView view,
                       std::vector<std::wstring>& names) const = 0;
  // The values in enumeration order; false when the key cannot be opened.
  virtual bool Values(RegistryHive hive, const std::wstring& path, RegistryView view,
                      std::vector<RegistryValue>& values) const = 0;
  // A value read as text; false when the key or value is missing or not text.
  virtual bool ReadText(RegistryHive hive, const std::wstring& path, const std::wstring& name,
                        RegistryView view, std::wstring& text) const = 0;
};
