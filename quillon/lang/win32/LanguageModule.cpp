#include "quillon/lang/win32/LanguageModule.h"

#include <atomic>
#include <vector>

#include "quillon/lang/LocaleCodes.h"
#include "quillon/lang/Text.h"
#include "quillon/lang/win32/ResourceFiles.h"
#include "quillon/lang/win32/TempFiles.h"
#include "quillon/services/win32/SystemHelpers.h"

namespace {

// Written by the first caller (the user-interface thread while the main window
// is laid out) and only read afterwards; atomics keep a late reader on another
// thread well-defined.
std::atomic<HMODULE> g_language_module{nullptr};
std::atomic<bool> g_decided{false};
std::atomic<UserLangIdSource> g_lang_id_source{nullptr};

HMODULE ProgramResourceModule() { return GetModuleHandleW(nullptr); }

LANGID UserLangId() {
  UserLangIdSource source = g_lang_id_source.load();
  return source ? source() : GetUserDefaultLangID();
}

HMODULE LoadIfExists(const std::wstring& path) {
  if (!FileExists(path)) return nullptr;
  return LoadLibraryW(path.c_str());
}

// Candidates beside the program: base_<code>.dll, base_<language>.dll, and the
// same two in a "languages" folder next to the program.
HMODULE LoadSideBySide() {
  std::wstring path = GetProgramPath();
  if (path.empty()) return nullptr;
  size_t dot = path.rfind(L'.');
  std::wstring base = dot == std::wstring::npos ? path : path.substr(0, dot);
  std::wstring code = GetUserLanguageCode();
  std::vector<std::wstring> bases{base};
  size_t slash = base.rfind(L'\\');
  if (slash != std::wstring::npos && slash != 0)
    bases.push_back(base.substr(0, slash) + L"\\languages" + base.substr(slash));
  for (const std::wstring& b : bases) {
    std::wstring full = b + L"_" + code;
    if (HMODULE module = LoadIfExists(full + L".dll")) return module;
    size_t underscore = full.rfind(L'_');
    if (HMODULE module = LoadIfExists(full.substr(0, underscore) + L".dll")) return module;
  }
  return nullptr;
}

std::wstring LanguageText(unsigned id) { return LoadTextFrom(GetLanguageModule(), id); }

}  // namespace

void SetUserLangIdSource(UserLangIdSource source) { g_lang_id_source.store(source); }

std::wstring GetUserLanguageCode() { return LocaleCodeForLangId(UserLangId()); }

HMODULE GetLanguageModule() {
  if (HMODULE module = g_language_module.load()) return module;
  if (g_decided.exchange(true)) return ProgramResourceModule();

  LANGID langId = UserLangId();
  unsigned primary = langId & 0x3FF;
  unsigned sub = langId >> 10;
  unsigned id;
  if (primary == 4) {
    id = 8000 + sub;
    if (id > 8002) id = 8001;
  } else {
    id = 2000 + primary;
  }
  if (id > 2000) {
    // The name stays in the temporary-file list whether or not it is used.
    std::wstring name = MakeTempFileName(L"tmp");
    DeleteFileW(name.c_str());
    if (ExtractResourceToFile(ProgramResourceModule(), id, L"DATA", name) != ERROR_INVALID_DATA) {
      if (HMODULE module = LoadLibraryW(name.c_str())) {
        g_language_module.store(module);
        return module;
      }
    }
  }
  if (HMODULE module = LoadSideBySide()) {
    g_language_module.store(module);
    return module;
  }
  return ProgramResourceModule();
}

std::wstring LoadTextFrom(HMODULE module, unsigned id) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id / 16 + 1), MAKEINTRESOURCEW(6) /* RT_STRING */);
  if (!found) return std::wstring();
  HGLOBAL loaded = LoadResource(module, found);
  const WORD* block = loaded ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
  if (!block) return std::wstring();
  // A block is 16 entries of (length, characters); a translation library from
  // beside the program may be damaged, so every step stays inside the block.
  size_t words = SizeofResource(module, found) / sizeof(WORD);
  size_t at = 0;
  for (unsigned entry = 0; entry < id % 16; ++entry) {
    if (at >= words) return std::wstring();
    at += 1 + block[at];
  }
  if (at >= words) return std::wstring();
  size_t length = block[at];
  if (at + 1 + length > words) return std::wstring();
  std::wstring text;
  text.reserve(length);
  for (size_t i = 0; i < length; ++i) text.push_back(static_cast<wchar_t>(block[at + 1 + i]));
  return text;
}

void InstallLanguageTextLoader() { SetTextLoader(&LanguageText); }

void ReleaseLanguageModule() {
  if (HMODULE module = g_language_module.exchange(nullptr)) FreeLibrary(module);
  g_decided.store(false);
}
