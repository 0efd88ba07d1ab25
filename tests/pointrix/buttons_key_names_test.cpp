#include <gtest/gtest.h>

#include "pointrix/buttons/KeyNames.h"
#include "pointrix/buttons/ScanCodeMap.h"
#include "pointrix/model/WideText.h"

using namespace pointrix;

namespace {

std::vector<uint8_t> Utf16(const std::wstring& text) { return WideToUtf16Le(text); }

TEST(ButtonsScanCodeMap, ShippedTranslation) {
  const ScanCodeMap& map = GlobalScanCodeMap();
  struct Case {
    int usage;
    int32_t code;
  } cases[] = {{4, 30},      {29, 44},      {39, 11},      {41, 1},      {49, 43},  {50, 43},      {68, 87},
               {70, 0xE037}, {72, 197},     {83, 69},      {84, 0xE035}, {100, 86}, {101, 0xE05D}, {144, 114},
               {145, 113},   {228, 0xE01D}, {231, 0xE05C}, {255, 255},   {1, 0},    {102, 0},      {256, 0}};
  for (const Case& c : cases) EXPECT_EQ(map.UsageToScanCode(c.usage), c.code) << c.usage;
  EXPECT_EQ(ScanCodeToUsage(43), 49);  // the first of the two usages sharing it
  EXPECT_EQ(ScanCodeToUsage(0xE01D), 228);
  EXPECT_EQ(ScanCodeToUsage(255), 0);  // slot 255 is never searched
  EXPECT_EQ(ScanCodeToUsage(0), 0);
  EXPECT_EQ(ScanCodeToUsage(12345), 0);
}

TEST(ButtonsScanCodeMap, ParsesResourceText) {
  ScanCodeMap map = ScanCodeMap::FromText(
      Utf16(L"\uFEFF4 30\r\n5 48\rnoblank\n 6 46\r\n300 7\r\n7 -2x\n8 +57344\r\n9 12\r\n10"));
  EXPECT_EQ(map.UsageToScanCode(4), 30);
  EXPECT_EQ(map.UsageToScanCode(5), 48);  // lone CR ends a line
  EXPECT_EQ(map.UsageToScanCode(6), 0);   // blank as first character: skipped
  EXPECT_EQ(map.UsageToScanCode(0), 7);   // usage out of range lands in slot 0
  EXPECT_EQ(map.UsageToScanCode(7), -2);
  EXPECT_EQ(map.UsageToScanCode(8), 0xE000);
  EXPECT_EQ(map.UsageToScanCode(9), 12);
  EXPECT_EQ(map.UsageToScanCode(10), 0);  // no blank
  EXPECT_EQ(ScanCodeMap::FromText({}).UsageToScanCode(4), 0);
  EXPECT_EQ(ScanCodeMap::FromText({0x34}).UsageToScanCode(4), 0);  // odd byte count
}

TEST(ButtonsKeyNames, KeyTexts) {
  EXPECT_EQ(FormatKeyText(4, 0x02), L"Shift + A");
  EXPECT_EQ(FormatKeyText(0, 0x11), L"Ctrl");
  EXPECT_EQ(FormatKeyText(0, 0x10), L"Ctrl");  // right Ctrl reads like left
  EXPECT_EQ(FormatKeyText(0, 0x33), L"Ctrl + Shift");
  EXPECT_EQ(FormatKeyText(0, 0), L"");
  EXPECT_EQ(FormatKeyText(6, 0xFF), L"Ctrl + Shift + Alt + Win + C");
  EXPECT_EQ(FormatKeyText(100, 0), L"");  // usage 100 has no row
  EXPECT_EQ(FormatKeyText(136, 0), L"\u30AB\u30BF\u30AB\u30CA\n\u3072\u3089\u304C\u306A");
  EXPECT_EQ(FormatKeyText(135, 0), L"\u2216");  // no scan code: the table's name
  EXPECT_NE(SystemKeyName(83), SystemKeyName(72));
  EXPECT_EQ(SystemKeyName(300), L"");
}

TEST(ButtonsKeyNames, KeyMessageParameters) {
  EXPECT_EQ(SystemKeyNameParam(4), 30L << 16);
  EXPECT_EQ(SystemKeyNameParam(228), 0x011D0000L);  // extended: bit 24
  EXPECT_EQ(SystemKeyNameParam(83), 0x1450000L);    // Num Lock
  EXPECT_EQ(SystemKeyNameParam(72), 0x450000L);     // Pause
  EXPECT_EQ(SystemKeyNameParam(102), 0L);
}

TEST(ButtonsKeyNames, ConsumerNames) {
  EXPECT_EQ(ConsumerKeyIndex(547), 0);
  EXPECT_EQ(ConsumerKeyIndex(179), 13);
  EXPECT_EQ(ConsumerKeyIndex(180), -1);
  EXPECT_EQ(ConsumerKeyName(233), L"Volume +");
  EXPECT_EQ(ConsumerUsageName(547), L"WWW Home");
  EXPECT_EQ(ConsumerUsageName(180), L"Rewind");
  EXPECT_EQ(ConsumerUsageName(1), L"Unknown");
}

TEST(ButtonsKeyNames, AssignmentTexts) {
  struct Case {
    int type;
    uint8_t p1, p2, p3;
    const wchar_t* text;
  } cases[] = {
      {0, 0, 0, 0, L"Default"},
      {1, 0, 0, 0, L"No function"},
      {2, 1, 0, 1, L"Virtual Touch (Windows 8)"},
      {2, 1, 0, 0, L"HID Key1"},
      {3, 1, 0, 0, L"Launch setting"},
      {3, 2, 0, 0, L"Record screen"},
      {3, 3, 0, 0, L"HID Key2"},
      {4, 0x03, 0, 0, L"Left clickRight click"},
      {4, 0x03, 0xFF, 0, L"Scroll down"},
      {4, 0, 1, 0, L"Scroll up"},
      {4, 0x18, 0, 0, L"BackwardForward"},
      {5, 0x01, 0x06, 0, L"Ctrl + C"},
      {5, 0x11, 0x00, 0, L"Ctrl"},
      {5, 0x00, 0x00, 0, L""},
      {5, 0x00, 0x28, 0, L"Enter"},
      {6, 0xE9, 0x00, 0, L"Volume +"},
      {6, 0x23, 0x02, 0, L"Web Browser"},
      {6, 0x01, 0x00, 0, L""},
      {8, 0, 0, 255, L"Tilt left"},
      {9, 10, 0, 255, L"Tilt right"},
      {10, 20, 0, 255, L"Triple click"},
      {10, 26, 0, 255, L"Double click"},
      {10, 30, 0, 255, L"Macro(F) "},
      {8, 0x21, 0x04, 0, L"Macro "},
      {15, 0, 255, 0, L"Lock X-axis"},
      {15, 255, 0, 0, L"Lock Y-axis"},
      {15, 8, 16, 0, L"DPI firekey [X:400 , Y:800]"},
      {16, 8, 8, 0x05, L"DPI hotkey [X:400 , Y:400] Left clickWheel click"},
      {24, 0x01, 0x52, 0x51, L"[AS] Ctrl + \u2191 / Ctrl + \u2193"},
      {24, 0x02, 0x00, 0x04, L"[AS] Shift / Shift + A"},
      {25, 0xE9, 0xEA, 0x00, L"[AS] Volume + / Volume -"},
      {25, 0x23, 0x94, 0x12, L"[AS] Web Browser / My Computer"},
      {27, 0x03, 5, 0, L"Fire button (50ms)"},
      {27, 0x03, 5, 4, L"Left click Right click x4"},
      {27, 0x03, 0, 0, L"Fire button (1ms)"},
      {27, 0x06, 0, 2, L" Right click Wheel click x2"},
      {33, 0, 25, 0, L"Rapid fire (25ms)"},
      {17, 0, 0, 0, L"Profile switch"},
      {41, 0, 0, 0, L""},
      {42, 0, 0, 0, L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatAssignmentText(c.type, c.p1, c.p2, c.p3), c.text) << "type " << c.type;
  }
}

}  // namespace
