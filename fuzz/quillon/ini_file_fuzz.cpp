// Any bytes as an options or identity file: loading must neither crash nor
// hang, what was read must survive a save and reload, and new entries must
// not disturb the ones already there.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "quillon/lang/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  IniFile ini;
  ini.LoadBytes(bytes);

  // Saving and reading back gives the same document.
  IniFile copy;
  copy.LoadBytes(ini.SaveBytes());
  for (const IniFile::Section& section : ini.sections()) {
    for (const auto& entry : section.entries) {
      // A key read from a file never holds "=", so it is found again as it is
      // (unless it holds a line feed, which a file line cannot).
      if (copy.GetText(section.name, entry.first, L"\x1") != entry.second) {
        if (section.name.find(L'\n') == std::wstring::npos && entry.first.find(L'\n') == std::wstring::npos &&
            entry.second.find(L'\n') == std::wstring::npos)
          std::abort();
      }
    }
  }

  // Adding an entry keeps every existing one.
  std::wstring before = ini.GetText(L"APPOPT", L"AppHasRun", L"\x1");
  ini.SetText(L"CID", L"ID", L"0123456789abcdef0123456789abcdef");
  if (ini.GetText(L"APPOPT", L"AppHasRun", L"\x1") != before) std::abort();
  if (ini.GetText(L"CID", L"ID", L"") != L"0123456789abcdef0123456789abcdef") std::abort();
  ini.GetInt(L"APPOPT", L"StartTime", -1);
  ini.GetInt64(L"APPOPT", L"StartTime", -1);
  return 0;
}
