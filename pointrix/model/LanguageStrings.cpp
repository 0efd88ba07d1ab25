#include "pointrix/model/LanguageStrings.h"

#include <mutex>
#include <vector>

#include "pointrix/model/WideText.h"

namespace pointrix {

namespace {

struct Family {
  const wchar_t* name;  // key prefix, or the whole key when count is 0
  int count;
  std::vector<const wchar_t*> defaults;  // index -> English text; missing entries are empty
};

// In the order language.ini is read.
const std::vector<Family>& Families() {
  static const std::vector<Family> kFamilies = {
      {L"type_str",
       45,
       {L"Default",
        L"No function",
        L"HID Key1",
        L"HID Key2",
        L"Mouse ",
        L"Keyboard ",
        L"Mutimedia",
        L"Reserved",
        L"Macro ",
        L"Macro(R) ",
        L"Macro(F) ",
        L"Reserved",
        L"DPI+",
        L"DPI-",
        L"DPI loop",
        L"DPI firekey",
        L"DPI hotkey",
        L"Profile switch",
        L"Adjust lift",
        L"LED on/off",
        L"Angle snapping ON/OFF",
        L"Adjust DPI",
        L"Adjust button",
        L"Profile / DPI switch",
        L"Scroll hotkey",
        L"Scroll hotkey",
        L"Alternate",
        L"Fire button",
        L"Reserved",
        L"Keyboard cycle",
        L"Keyboard cycle (reverse)",
        L"Keyboard cycle (current)",
        L"Motion scrolling",
        L"Rapid fire"}},
      {L"extra_function_str", 100, {}},
      {L"cap_input_str",
       6,
       {L"Input", L"Macro name", L"Folder name", L"Value", L"Mouse position", L"Question"}},
      {L"macro_str",
       17,
       {L"Execute one time", L"Loop mode", L"Firekey mode", L"Press & hold Keyboard  %s",
        L"Release Keyboard  %s", L"Wait %d ms", L"Jump to address %d",
        L"Set ACC=ACC-1, if ACC!=0 then jump to address %d", L"Set ACC=%d", L"Release Consumer-key",
        L"Press & hold Consumer-key  %s", L"Mouse Movement (%d , %d)", L"Wheel Scrolling  %d count(unit)",
        L"Press & hold mouse button %s", L"Release mouse button %s", L"System command",
        L"Mouse Move to (%d , %d)"}},
      {L"macro_bt_str", 5, {L"Left", L"Right", L"Middle", L"B4", L"B5"}},
      {L"mouse_str",
       12,
       {L"Left click", L"Right click", L"Wheel click", L"Backward", L"Forward", L"Tilt left", L"Tilt right",
        L"Scroll up", L"Scroll down", L"Double click", L"Triple click", L"Scroll"}},
      {L"button_str",
       45,
       {L"",
        L"",
        L"",
        L"Reset",
        L"Backup",
        L"Restore",
        L"Select",
        L"",
        L"Cancel",
        L"Default",
        L"Set",
        L"",
        L"",
        L"",
        L"",
        L"One time mode",
        L"Loop mode",
        L"Firekey mode",
        L"",
        L"",
        L"Clear",
        L"Record intervals",
        L"X-Y independent",
        L"Angle snapping",
        L"Report rate",
        L"",
        L"Enable DPI / profile OSD",
        L"",
        L"Record click positions",
        L"Record cursor track",
        L"",
        L"Press && hold to get position",
        L"",
        L"Macro edit",
        L"Disable mouse acceleration (OS)",
        L"",
        L"Save",
        L"",
        L"",
        L"",
        L"",
        L"Add",
        L"Yes",
        L"No",
        L"Cancel"}},
      {L"button_tip_str",
       45,
       {L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"", L"Click here to enter name"}},
      {L"drag_tip_str", 10, {}},
      {L"msg_str",
       62,
       {L"",
        L"",
        L"",
        L"Insert keyboard / mouse or scroll instruction",
        L"Insert mouse move",
        L"Insert delay instruction",
        L"",
        L"",
        L"Quick Drop Function: Drag and Drop to Button Setting for quick configuration.",
        L"free memory: %d bytes",
        L"No device !!",
        L"All setting will be reset !!  continue?",
        L"Current setting will be overwritten !! continue?",
        L"",
        L"Relative",
        L"Absolute",
        L"",
        L"",
        L"",
        L"Lack of space !!",
        L"invalid format !!",
        L"Recording...",
        L"",
        L"Click to change name",
        L"Macro name",
        L"Delete macro '%s' ?",
        L"Folder name",
        L"Delete folder '%s' ?",
        L"",
        L"Function lbrary",
        L"Overwrite macro '%s' ?",
        L"",
        L"",
        L"",
        L"Empty",
        L"",
        L"",
        L"",
        L"%d sec, Press keyboard or click mouse button for binding",
        L"",
        L"",
        L"",
        L"Positive cycle",
        L"Reverse cycle",
        L"Current position",
        L"",
        L"Lock X-axis",
        L"Lock Y-axis",
        L"",
        L"Exit program ?",
        L"",
        L"Save changes in macro '%s' ? or discard it.",
        L"Assign an executable file to current profile.",
        L"",
        L"",
        L"",
        L"",
        L"For help and updates visit the support pages of your mouse maker.",
        L"Item code",
        L"",
        L"PIN error !",
        L"Delay"}},
      {L"class_str",
       8,
       {L"Mouse", L"Keyboard", L"Advanced", L"Macro", L"Key cycle", L"User Macro (Mouse memory)"}},
      {L"menu_str", 2, {L"Settings", L"Quit"}},
      {L"consumer_key_str",
       50,
       {L"Web Browser", L"My Computer", L"Calculator", L"Media Player", L"Mute", L"Volume -", L"Volume +",
        L"Play/Pause", L"Play", L"Pause", L"Next Track", L"Previous Track", L"Stop", L"Fast Forward"}},
      {L"end_str", 0, {L"-- End --"}},
      {L"macro_editor_cap_str", 0, {L"Macro Editor"}},
      {L"profile_str", 0, {L"Profile"}},
      {L"launch_str", 0, {L"Launch setting"}},
      {L"version_str", 0, {L"Software version"}},
      {L"firmware_str", 0, {L"Firmware version"}},
  };
  return kFamilies;
}

std::wstring KeyOf(const std::wstring& family, int index) { return family + ToWide(index); }

// Translators write line breaks of drag tips as the two characters "\n".
std::wstring ExpandLineBreaks(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 1 < text.size() && text[i + 1] == L'n') {
      out += L"\r\n";
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

}  // namespace

LanguageStrings& LanguageStrings::Instance() {
  static LanguageStrings instance;
  return instance;
}

LanguageStrings::LanguageStrings() { Reset(); }

void LanguageStrings::Reset() {
  std::map<std::wstring, std::wstring> texts;
  for (const Family& f : Families()) {
    if (f.count == 0) {
      texts[f.name] = f.defaults.empty() ? L"" : f.defaults[0];
      continue;
    }
    for (int i = 0; i < f.count; ++i) {
      texts[KeyOf(f.name, i)] = static_cast<size_t>(i) < f.defaults.size() ? f.defaults[i] : L"";
    }
  }
  std::unique_lock<std::shared_mutex> lock(mutex_);
  texts_ = std::move(texts);
  enableColor_ = false;
}

void LanguageStrings::Load(IPrivateProfile& profile, int languageId, const std::wstring& iniPath) {
  enableColor_ = profile.GetInt(L"MISC", L"EnableColor", 0, iniPath) != 0;
  const std::wstring section = ToWide(languageId);
  std::map<std::wstring, std::wstring> found;
  auto read = [&](const std::wstring& key, bool lineBreaks) {
    std::wstring value = profile.GetString(section, key, kNoString, 1000, iniPath);
    if (value != kNoString) found[key] = lineBreaks ? ExpandLineBreaks(value) : value;
  };
  for (const Family& f : Families()) {
    if (f.count == 0) {
      read(f.name, false);
      continue;
    }
    bool dragTip = std::wstring(f.name) == L"drag_tip_str";
    for (int i = 0; i < f.count; ++i) read(KeyOf(f.name, i), dragTip);
  }
  std::unique_lock<std::shared_mutex> lock(mutex_);
  for (auto& [key, value] : found) texts_[key] = std::move(value);
}

std::wstring LanguageStrings::Get(const std::wstring& family, int index) const {
  return Get(KeyOf(family, index));
}

std::wstring LanguageStrings::Get(const std::wstring& key) const {
  std::shared_lock<std::shared_mutex> lock(mutex_);
  auto it = texts_.find(key);
  return it == texts_.end() ? std::wstring() : it->second;
}

void LoadLanguageStrings(IPrivateProfile& profile, int languageId, const std::wstring& iniPath) {
  LanguageStrings::Instance().Load(profile, languageId, iniPath);
}

std::wstring LangStr(const wchar_t* family, int index) {
  return LanguageStrings::Instance().Get(family, index);
}

std::wstring LangStr(const wchar_t* key) { return LanguageStrings::Instance().Get(key); }

}  // namespace pointrix
