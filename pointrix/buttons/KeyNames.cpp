#include "pointrix/buttons/KeyNames.h"

#include <atomic>

#include "pointrix/buttons/ScanCodeMap.h"
#include "pointrix/model/LanguageStrings.h"
#include "pointrix/model/TextFormat.h"

namespace pointrix {

namespace {

const KeyNameRow kKeyNames[] = {
    {4, L"A"},
    {5, L"B"},
    {6, L"C"},
    {7, L"D"},
    {8, L"E"},
    {9, L"F"},
    {10, L"G"},
    {11, L"H"},
    {12, L"I"},
    {13, L"J"},
    {14, L"K"},
    {15, L"L"},
    {16, L"M"},
    {17, L"N"},
    {18, L"O"},
    {19, L"P"},
    {20, L"Q"},
    {21, L"R"},
    {22, L"S"},
    {23, L"T"},
    {24, L"U"},
    {25, L"V"},
    {26, L"W"},
    {27, L"X"},
    {28, L"Y"},
    {29, L"Z"},
    {30, L"1"},
    {31, L"2"},
    {32, L"3"},
    {33, L"4"},
    {34, L"5"},
    {35, L"6"},
    {36, L"7"},
    {37, L"8"},
    {38, L"9"},
    {39, L"0"},
    {40, L"Enter"},
    {41, L"Esc"},
    {42, L"Backspace"},
    {43, L"Tab"},
    {44, L"Space"},
    {45, L"-"},
    {46, L"="},
    {47, L"["},
    {48, L"]"},
    {49, L"\\"},
    {50, L"#"},
    {51, L";"},
    {52, L"'"},
    {53, L"`"},
    {54, L","},
    {55, L"."},
    {56, L"/"},
    {57, L"Caps Lock"},
    {58, L"F1"},
    {59, L"F2"},
    {60, L"F3"},
    {61, L"F4"},
    {62, L"F5"},
    {63, L"F6"},
    {64, L"F7"},
    {65, L"F8"},
    {66, L"F9"},
    {67, L"F10"},
    {68, L"F11"},
    {69, L"F12"},
    {70, L"PrintScreen"},
    {71, L"Scroll Lock"},
    {72, L"Pause"},
    {73, L"Insert"},
    {74, L"Home"},
    {75, L"PageUp"},
    {76, L"Delete"},
    {77, L"End"},
    {78, L"PageDown"},
    {79, L"\u2192"},
    {80, L"\u2190"},
    {81, L"\u2193"},
    {82, L"\u2191"},
    {83, L"Num Lock"},
    {84, L"Keypad /"},
    {85, L"Keypad *"},
    {86, L"Keypad -"},
    {87, L"Keypad +"},
    {88, L"Keypad Enter"},
    {89, L"Keypad 1"},
    {90, L"Keypad 2"},
    {91, L"Keypad 3"},
    {92, L"Keypad 4"},
    {93, L"Keypad 5"},
    {94, L"Keypad 6"},
    {95, L"Keypad 7"},
    {96, L"Keypad 8"},
    {97, L"Keypad 9"},
    {98, L"Keypad 0"},
    {99, L"Keypad ."},
    {101, L"Application"},
    {102, L"Power"},
    {103, L"Keypad ="},
    {138, L"\u5909\u63DB"},
    {139, L"\u7121\u5909\u63DB"},
    {144, L"\uD55C/\uC789"},
    {145, L"\uD55C\uC790"},
    {224, L"Left Control"},
    {225, L"Left Shift"},
    {226, L"Left Alt"},
    {227, L"Left Win"},
    {228, L"Right Control"},
    {229, L"Right Shift"},
    {230, L"Right Alt"},
    {231, L"Right Win"},
    {136, L"\u30AB\u30BF\u30AB\u30CA\n\u3072\u3089\u304C\u306A"},
    {135, L"\u2216"},
    {137, L"\\"},
    {-1, L""},
};

const ConsumerKeyRow kConsumerKeys[] = {
    {547, L"Web Browser"},  {404, L"My Computer"},  {402, L"Calculator"},
    {387, L"Media Player"}, {226, L"Mute"},         {234, L"Volume -"},
    {233, L"Volume +"},     {205, L"Play/Pause"},   {176, L"Play"},
    {177, L"Pause"},        {181, L"Next Track"},   {182, L"Previous Track"},
    {183, L"Stop"},         {179, L"Fast Forward"}, {-1, L""},
};

std::atomic<KeyNameTextFn> g_keyNameText{nullptr};

// Drops the trailing " + " of a modifier prefix: "Ctrl + Shift + " -> "Ctrl + Shift".
std::wstring WithoutLastJoiner(const std::wstring& prefix) {
  return prefix.size() >= 3 ? prefix.substr(0, prefix.size() - 3) : std::wstring();
}

// Keyboard text of type 5 style: prefix and the table name only.
std::wstring TableKeyText(uint8_t modifiers, int usage) {
  std::wstring prefix = ModifierPrefix(modifiers);
  std::wstring name = KeyTableName(usage);
  if (name.empty() && !prefix.empty()) return WithoutLastJoiner(prefix);
  return prefix + name;
}

std::wstring MouseButtonNames(uint8_t bits, bool blankBeforeLaterNames) {
  std::wstring text;
  for (int bit = 0; bit < 5; ++bit) {
    if (!(bits & (1 << bit))) continue;
    if (blankBeforeLaterNames && bit > 0) text += L" ";
    text += LangStr(L"mouse_str", bit);
  }
  return text;
}

}  // namespace

const KeyNameRow* KeyNameTable() { return kKeyNames; }
const ConsumerKeyRow* ConsumerKeyTable() { return kConsumerKeys; }

std::wstring KeyTableName(int usage) {
  for (int i = 0; i < 200 && kKeyNames[i].usage != -1; ++i) {
    if (kKeyNames[i].usage == usage) return kKeyNames[i].name;
  }
  return std::wstring();
}

int ConsumerKeyIndex(int usage) {
  for (int i = 0; i < kConsumerKeyCount && kConsumerKeys[i].usage != -1; ++i) {
    if (kConsumerKeys[i].usage == usage) return i;
  }
  return -1;
}

std::wstring ConsumerKeyName(int usage) {
  int index = ConsumerKeyIndex(usage);
  return index < 0 ? std::wstring() : LangStr(L"consumer_key_str", index);
}

std::wstring ConsumerUsageName(int usage) {
  switch (usage) {
    case 176:
      return L"Play";
    case 177:
      return L"Pause";
    case 179:
      return L"Fast Forward";
    case 180:
      return L"Rewind";
    case 181:
      return L"Scan Next Track";
    case 182:
      return L"Scan Previous Track";
    case 183:
      return L"Stop";
    case 205:
      return L"Play/Pause";
    case 226:
      return L"Mute";
    case 233:
      return L"Volume +";
    case 234:
      return L"Volume -";
    case 387:
      return L"Media Player";
    case 394:
      return L"E-Mail";
    case 402:
      return L"Calculator";
    case 404:
      return L"My Computer";
    case 545:
      return L"Search";
    case 547:
      return L"WWW Home";
    case 548:
      return L"Back";
    case 549:
      return L"Forward";
    case 551:
      return L"Refresh";
    case 554:
      return L"Bookmarks";
    default:
      return L"Unknown";
  }
}

long SystemKeyNameParam(int usage) {
  if (usage < 0 || usage > 255) return 0;
  int32_t code = UsageToScanCode(usage);
  if (code == 0) return 0;
  long param = static_cast<long>(code & 0xFF) << 16;
  if (code & 0xE000) param |= 0x01000000L;
  if (param == 0x450000L) {
    param = 0x1450000L;
  } else if (param == 0xC50000L) {
    param = 0x450000L;
  }
  return param;
}

void SetKeyNameTextProvider(KeyNameTextFn provider) { g_keyNameText = provider; }

std::wstring SystemKeyName(int usage) {
  long param = SystemKeyNameParam(usage);
  if (param == 0) return std::wstring();
  KeyNameTextFn provider = g_keyNameText.load();
  return provider ? provider(param) : KeyTableName(usage);
}

std::wstring ModifierPrefix(uint8_t modifiers) {
  std::wstring prefix;
  if (modifiers & 0x11) prefix += L"Ctrl + ";
  if (modifiers & 0x22) prefix += L"Shift + ";
  if (modifiers & 0x44) prefix += L"Alt + ";
  if (modifiers & 0x88) prefix += L"Win + ";
  return prefix;
}

std::wstring FormatKeyText(int usage, uint8_t modifiers) {
  std::wstring prefix = ModifierPrefix(modifiers);
  std::wstring name = KeyTableName(usage);
  if (name.empty()) {
    return prefix.size() >= 2 && prefix.compare(prefix.size() - 2, 2, L"+ ") == 0 ? WithoutLastJoiner(prefix)
                                                                                  : prefix;
  }
  std::wstring system = SystemKeyName(usage);
  return prefix + (system.empty() ? name : system);
}

std::wstring FormatAssignmentText(int type, uint8_t p1, uint8_t p2, uint8_t p3) {
  if (type < 0 || type > 41) return std::wstring();
  const std::wstring name = LangStr(L"type_str", type);
  switch (type) {
    case 2:
      return p1 == 1 && p2 == 0 && p3 == 1 ? L"Virtual Touch (Windows 8)" : name;
    case 3:
      if (p2 == 0 && p3 == 0 && p1 == 1) return LangStr(L"launch_str");
      if (p2 == 0 && p3 == 0 && p1 == 2) return L"Record screen";
      return name;
    case 4:
      if (p2 & 0x80) return LangStr(L"mouse_str", 8);
      if (p2 != 0) return LangStr(L"mouse_str", 7);
      return MouseButtonNames(p1, false);
    case 5:
      return TableKeyText(p1, p2);
    case 6:
      return ConsumerKeyName(p1 + 256 * p2);
    case 8:
    case 9:
    case 10:
      if (p3 == 255) {
        switch (p1 + 256 * p2) {
          case 0:
            return LangStr(L"mouse_str", 5);
          case 10:
            return LangStr(L"mouse_str", 6);
          case 20:
            return LangStr(L"mouse_str", 10);
          case 26:
            return LangStr(L"mouse_str", 9);
          default:
            break;
        }
      }
      return name;
    case 15:
    case 16: {
      std::wstring text;
      if (p1 == 0 && p2 == 255) {
        text = LangStr(L"msg_str", 46);
      } else if (p1 == 255 && p2 == 0) {
        text = LangStr(L"msg_str", 47);
      } else {
        text = FormatText(L"%s [X:%d , Y:%d]", {name, 50 * p1, 50 * p2});
      }
      if (p3 != 0) text += L" " + MouseButtonNames(p3, false);
      return text;
    }
    case 24:
      return L"[AS] " + TableKeyText(p1, p2) + L" / " + TableKeyText(p1, p3);
    case 25:
      return L"[AS] " + ConsumerKeyName(p1 + 256 * (p3 & 0x0F)) + L" / " +
             ConsumerKeyName(p2 + 256 * (p3 >> 4));
    case 27: {
      std::wstring text = MouseButtonNames(p1, true);
      for (size_t at; (at = text.find(L"  ")) != std::wstring::npos;) text.erase(at, 1);
      if (p3 != 0) return text + FormatText(L" x%d", {static_cast<int>(p3)});
      return FormatText(L"%s (%dms)", {name, p2 == 0 ? 1 : 10 * p2});
    }
    case 33:
      return FormatText(L"%s (%dms)", {LangStr(L"type_str", 33), static_cast<int>(p2)});
    default:
      return name;
  }
}

}  // namespace pointrix
