#include "pointrix/buttons/KeyboardLayout.h"

#include <algorithm>

#include "pointrix/buttons/KeyNames.h"
#include "pointrix/buttons/ScanCodeMap.h"
#include "pointrix/model/LanguageStrings.h"
#include "pointrix/model/WideText.h"

namespace pointrix {

KeyboardLayout ReadKeyboardLayout(IPrivateProfile& profile, const std::wstring& iniPath) {
  KeyboardLayout layout;
  layout.originX = static_cast<int>(profile.GetInt(L"SET", L"x", 0, iniPath));
  layout.originY = static_cast<int>(profile.GetInt(L"SET", L"y", 0, iniPath));
  int consumerCount = 0;
  int consumerRowY = 0;
  for (int n = 1; n <= kMaxLayoutKeys; ++n) {
    const std::wstring section = L"KEY " + ToWide(n);
    std::wstring name = profile.GetString(section, L"name", kNoString, 200, iniPath);
    int chwcode = static_cast<int>(profile.GetInt(section, L"chwcode", 0, iniPath));
    if (name == kNoString && chwcode == 0) continue;
    auto readInt = [&](const wchar_t* key) {
      return static_cast<int>(profile.GetInt(section, key, 0, iniPath));
    };
    KeyboardLayoutKey key;
    key.name = name;
    key.chwcode = chwcode;
    key.modify = readInt(L"modify");
    key.code = readInt(L"code");
    key.x = readInt(L"x");
    key.y = readInt(L"y");
    key.width = readInt(L"width");
    key.height = readInt(L"height");
    key.small_font = readInt(L"small_font");
    key.hwcode = readInt(L"hwcode");
    if (chwcode != 0) {
      key.consumer_index = std::max(0, ConsumerKeyIndex(chwcode));
      if (consumerCount == 0) consumerRowY = key.y;
      key.x = 75 * consumerCount++;
      key.y = consumerRowY;
      key.width = 63;
      key.height = 31;
      key.name = ConsumerKeyName(chwcode);  // the type-6 assignment text
    } else {
      if (key.hwcode == 0) key.hwcode = ScanCodeToUsage(key.code);
      bool arrow = key.hwcode >= 79 && key.hwcode <= 82;
      if (key.modify == 0 && !arrow) {
        // A layout name replaces the file's caption unless the caption is a
        // deliberate abbreviation of a much longer name ("PgUp").
        std::wstring generated = FormatKeyText(key.hwcode, 0);
        if (!generated.empty() && key.name.size() + 1 >= generated.size()) key.name = generated;
      }
    }
    layout.extentX = std::max(layout.extentX, key.x + key.width + 1);
    layout.extentY = std::max(layout.extentY, key.y + key.height + 1);
    key.hit_rect = {layout.originX + key.x + 2, layout.originY + key.y + 2,
                    layout.originX + key.x + key.width - 3, layout.originY + key.y + key.height - 3};
    for (wchar_t& c : key.name) c = FoldCase(c);
    layout.keys.push_back(std::move(key));
  }
  return layout;
}

}  // namespace pointrix
