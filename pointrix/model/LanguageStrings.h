#pragma once

#include <atomic>
#include <map>
#include <shared_mutex>
#include <string>

#include "pointrix/model/PrivateProfile.h"

// Every user-visible text of pointrix is a language string named by its
// language.ini key ("type_str4", "msg_str20", "profile_str") with a built-in
// English default that a translation replaces.
namespace pointrix {

// The value that marks a language.ini entry (or any other profile text) as
// absent.
inline constexpr wchar_t kNoString[] = L"@_NOSTR_";

class LanguageStrings {
 public:
  // The process-wide set, read from any thread.
  static LanguageStrings& Instance();

  LanguageStrings();

  // Reads "MISC"/"EnableColor", then every key of every family from the
  // section named by the decimal languageId. Keys that are missing or hold
  // "@_NOSTR_" keep their current text.
  void Load(IPrivateProfile& profile, int languageId, const std::wstring& iniPath);

  // Back to the built-in English texts.
  void Reset();

  // "type_str", 4 -> the text of type_str4; empty for unknown keys.
  std::wstring Get(const std::wstring& family, int index) const;
  std::wstring Get(const std::wstring& key) const;

  bool EnableColor() const { return enableColor_.load(); }

 private:
  mutable std::shared_mutex mutex_;
  std::map<std::wstring, std::wstring> texts_;
  std::atomic<bool> enableColor_{false};
};

// Loads the process-wide set once at start (language from set.ini,
// language.ini beside the program).
void LoadLanguageStrings(IPrivateProfile& profile, int languageId, const std::wstring& iniPath);

// Shorthands on the process-wide set.
std::wstring LangStr(const wchar_t* family, int index);
std::wstring LangStr(const wchar_t* key);

}  // namespace pointrix
