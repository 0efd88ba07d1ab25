#include "pointrix/buttons/ScanCodeMap.h"

#include <atomic>
#include <climits>

#include "pointrix/model/WideText.h"

namespace pointrix {

namespace {

// Base-10 reading like wcstol: blanks, sign, digits; saturates at the
// 32-bit limits.
int32_t ReadDecimal(const std::wstring& s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == L' ' || s[i] == L'\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == L'-' || s[i] == L'+')) negative = s[i++] == L'-';
  long long v = 0;
  for (; i < s.size() && s[i] >= L'0' && s[i] <= L'9'; ++i) {
    v = v * 10 + (s[i] - L'0');
    if (v > 0x80000000LL) v = 0x80000000LL;
  }
  if (negative) v = -v;
  if (v > INT32_MAX) v = INT32_MAX;
  return static_cast<int32_t>(v);
}

std::atomic<ScanCodeTextSource> g_source{&BuiltInScanCodeText};

}  // namespace

ScanCodeMap ScanCodeMap::FromText(const std::vector<uint8_t>& utf16Text) {
  ScanCodeMap map;
  size_t start = 0;
  if (utf16Text.size() >= 2 && utf16Text[0] == 0xFF && utf16Text[1] == 0xFE) start = 2;
  std::wstring text = Utf16LeToWide(utf16Text.data() + start, utf16Text.size() - start);
  std::wstring line;
  auto take = [&map](const std::wstring& l) {
    size_t blank = l.find(L' ');
    if (blank == std::wstring::npos || blank == 0) return;
    int32_t usage = ReadDecimal(l.substr(0, blank));
    int32_t code = ReadDecimal(l.substr(blank + 1));
    map.slots_[usage >= 0 && usage <= 255 ? static_cast<size_t>(usage) : 0] = code;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      take(line);
      line.clear();
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      line.push_back(c);
    }
  }
  if (!line.empty()) take(line);
  return map;
}

int32_t ScanCodeMap::UsageToScanCode(int usage) const {
  return usage >= 0 && usage <= 255 ? slots_[static_cast<size_t>(usage)] : 0;
}

int ScanCodeMap::ScanCodeToUsage(int32_t code) const {
  for (int i = 0; i < 255; ++i) {
    if (slots_[static_cast<size_t>(i)] != 0 && slots_[static_cast<size_t>(i)] == code) return i;
  }
  return 0;
}

std::vector<uint8_t> BuiltInScanCodeText() {
  // usage, scan code (set 1): the standard translation.
  static const int32_t kPairs[][2] = {
      {0, 0},        {4, 30},      {5, 48},       {6, 46},       {7, 32},      {8, 18},      {9, 33},
      {10, 34},      {11, 35},     {12, 23},      {13, 36},      {14, 37},     {15, 38},     {16, 50},
      {17, 49},      {18, 24},     {19, 25},      {20, 16},      {21, 19},     {22, 31},     {23, 20},
      {24, 22},      {25, 47},     {26, 17},      {27, 45},      {28, 21},     {29, 44},     {30, 2},
      {31, 3},       {32, 4},      {33, 5},       {34, 6},       {35, 7},      {36, 8},      {37, 9},
      {38, 10},      {39, 11},     {40, 28},      {41, 1},       {42, 14},     {43, 15},     {44, 57},
      {45, 12},      {46, 13},     {47, 26},      {48, 27},      {49, 43},     {50, 43},     {51, 39},
      {52, 40},      {53, 41},     {54, 51},      {55, 52},      {56, 53},     {57, 58},     {58, 59},
      {59, 60},      {60, 61},     {61, 62},      {62, 63},      {63, 64},     {64, 65},     {65, 66},
      {66, 67},      {67, 68},     {68, 87},      {69, 88},      {70, 0xE037}, {71, 70},     {72, 197},
      {73, 0xE052},  {74, 0xE047}, {75, 0xE049},  {76, 0xE053},  {77, 0xE04F}, {78, 0xE051}, {79, 0xE04D},
      {80, 0xE04B},  {81, 0xE050}, {82, 0xE048},  {83, 69},      {84, 0xE035}, {85, 55},     {86, 74},
      {87, 78},      {88, 0xE01C}, {89, 79},      {90, 80},      {91, 81},     {92, 75},     {93, 76},
      {94, 77},      {95, 71},     {96, 72},      {97, 73},      {98, 82},     {99, 83},     {100, 86},
      {101, 0xE05D}, {144, 114},   {145, 113},    {224, 29},     {225, 42},    {226, 56},    {227, 0xE05B},
      {228, 0xE01D}, {229, 54},    {230, 0xE038}, {231, 0xE05C}, {255, 255}};
  std::wstring text = L"\uFEFF";
  for (const auto& p : kPairs) text += ToWide(p[0]) + L" " + ToWide(p[1]) + L"\r\n";
  return WideToUtf16Le(text);
}

void SetScanCodeTextSource(ScanCodeTextSource source) { g_source = source; }

const ScanCodeMap& GlobalScanCodeMap() {
  // Filled once; a thread-safe static guards the "filled" state.
  static const ScanCodeMap map = [] {
    ScanCodeTextSource source = g_source.load();
    return source ? ScanCodeMap::FromText(source()) : ScanCodeMap();
  }();
  return map;
}

int32_t UsageToScanCode(int usage) { return GlobalScanCodeMap().UsageToScanCode(usage); }

int ScanCodeToUsage(int32_t code) { return GlobalScanCodeMap().ScanCodeToUsage(code); }

}  // namespace pointrix
