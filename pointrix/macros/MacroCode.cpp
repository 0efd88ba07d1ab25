#include "pointrix/macros/MacroCode.h"

#include <algorithm>

#include "pointrix/buttons/KeyNames.h"
#include "pointrix/model/LanguageStrings.h"
#include "pointrix/model/TextFormat.h"

namespace pointrix {

InstructionInfo InstructionLength(uint8_t op) {
  if (op == 0x00 || op == 0x01) return {1, 0};
  if (op >= 0x04 && op <= 0x06) return {1, 2};
  if (op == 0x08 || op == 0x10 || op == 0x18) return {3, 0};
  if (op >= 0x20 && op <= 0x7F) return {1, 0};
  if (op == 0x80) return {5, 0};
  if (op >= 0x81 && op <= 0x84) return {2, 0};
  if (op == 0x85) return {3, 0};
  if (op == 0x88) return {2, 0};
  if (op == 0x89) return {3, 0};
  if (op == 0xA0 || op == 0xC0) return {5, 0};
  if (op >= 0xC1 && op <= 0xCF) return {1, 0};
  return {0, -1};
}

std::vector<_MACRO_ITEM_> SplitMacroCode(const uint8_t* code, size_t size) {
  std::vector<_MACRO_ITEM_> items;
  size_t pos = 0;
  while (pos < size && code[pos] != 0x00) {
    InstructionInfo info = InstructionLength(code[pos]);
    if (info.length == 0 || pos + static_cast<size_t>(info.length) > size) break;
    _MACRO_ITEM_ item;
    item.length = info.length;
    std::copy(code + pos, code + pos + info.length, item.code);
    items.push_back(item);
    pos += static_cast<size_t>(info.length);
  }
  return items;
}

std::vector<uint8_t> SerializeMacroCode(const std::vector<_MACRO_ITEM_>& items) {
  std::vector<uint8_t> code;
  for (const _MACRO_ITEM_& item : items) {
    int n = std::clamp(item.length, 0, 8);
    code.insert(code.end(), item.code, item.code + n);
  }
  return code;
}

_MACRO_ITEM_ MakeMacroItem(std::initializer_list<uint8_t> bytes) {
  _MACRO_ITEM_ item;
  size_t n = std::min<size_t>(bytes.size(), 8);
  std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n), item.code);
  item.length = n ? InstructionLength(item.code[0]).length : 0;
  return item;
}

namespace {

int U16(const _MACRO_ITEM_& item, int at) { return item.code[at] | (item.code[at + 1] << 8); }
int S16(const _MACRO_ITEM_& item, int at) { return static_cast<int16_t>(U16(item, at)); }

std::wstring ButtonList(uint8_t bits) {
  static const struct {
    uint8_t bit;
    int name;
  } kOrder[] = {{0x01, 0}, {0x02, 1}, {0x04, 2}, {0x10, 3}, {0x08, 4}};
  std::wstring list;
  for (const auto& b : kOrder) {
    if (bits & b.bit) list += L"[" + LangStr(L"macro_bt_str", b.name) + L"]";
  }
  return list;
}

}  // namespace

std::wstring FormatInstructionText(const _MACRO_ITEM_& item) {
  const uint8_t op = item.code[0];
  auto macroStr = [](int n) { return LangStr(L"macro_str", n); };
  if (op == 0x00 || op == 0x01) return L"Stop";
  if (op >= 0x04 && op <= 0x06) return macroStr(op - 0x04);
  if (op == 0x08) return FormatText(macroStr(6), {U16(item, 1)});
  if (op == 0x10) return FormatText(macroStr(7), {U16(item, 1)});
  if (op == 0x18) return FormatText(macroStr(8), {U16(item, 1)});
  if (op >= 0x20 && op <= 0x3F) return FormatText(macroStr(13), {ButtonList(op & 0x1F)});
  if (op >= 0x40 && op <= 0x5F) return FormatText(macroStr(14), {ButtonList(op & 0x1F)});
  if (op >= 0x60 && op <= 0x7F) {
    int count = op & 0x1F;
    if (count >= 16) count -= 32;
    return FormatText(macroStr(12), {count});
  }
  if (op == 0x80) return FormatText(macroStr(11), {S16(item, 1), S16(item, 3)});
  if (op == 0x83) return FormatText(macroStr(3), {FormatKeyText(item.code[1], 0)});
  if (op == 0x84) return FormatText(macroStr(4), {FormatKeyText(item.code[1], 0)});
  if (op == 0x85) {
    int usage = U16(item, 1);
    return usage ? FormatText(macroStr(10), {ConsumerUsageName(usage)}) : macroStr(9);
  }
  if (op == 0x88) return FormatText(L"%d ms", {static_cast<int>(item.code[1])});
  if (op == 0x89) return FormatText(L"%d ms", {U16(item, 1)});
  if (op == 0xA0) return FormatText(macroStr(16), {U16(item, 1), U16(item, 3)});
  if (op == 0xC0) return FormatText(macroStr(16), {S16(item, 1), S16(item, 3)});
  if (op >= 0xC1 && op <= 0xCF) return macroStr(15);
  return L"Unknown";
}

std::wstring RunTypeText(int runType) {
  if (runType == 9) return LangStr(L"button_str", 16);
  if (runType == 10) return LangStr(L"button_str", 17);
  return LangStr(L"button_str", 15);
}

}  // namespace pointrix
