#include <gtest/gtest.h>

#include "pointrix/macros/ArchiveString.h"
#include "pointrix/macros/MacroCode.h"
#include "pointrix/model/WideText.h"

using namespace pointrix;

namespace {

TEST(MacrosCode, InstructionLengths) {
  struct Case {
    uint8_t op;
    int length, kind;
  } cases[] = {{0x00, 1, 0},  {0x01, 1, 0}, {0x02, 0, -1}, {0x04, 1, 2},  {0x06, 1, 2},  {0x07, 0, -1},
               {0x08, 3, 0},  {0x10, 3, 0}, {0x18, 3, 0},  {0x19, 0, -1}, {0x20, 1, 0},  {0x7F, 1, 0},
               {0x80, 5, 0},  {0x81, 2, 0}, {0x82, 2, 0},  {0x83, 2, 0},  {0x84, 2, 0},  {0x85, 3, 0},
               {0x86, 0, -1}, {0x88, 2, 0}, {0x89, 3, 0},  {0xA0, 5, 0},  {0xA1, 0, -1}, {0xC0, 5, 0},
               {0xC1, 1, 0},  {0xCF, 1, 0}, {0xD0, 0, -1}, {0xFF, 0, -1}};
  for (const Case& c : cases) {
    InstructionInfo info = InstructionLength(c.op);
    EXPECT_EQ(info.length, c.length) << int(c.op);
    EXPECT_EQ(info.kind, c.kind) << int(c.op);
  }
}

TEST(MacrosCode, SplitStopsAtEndNonOpcodeAndCutInstruction) {
  const uint8_t code[] = {0x83, 0x04, 0x88, 0x10, 0x84, 0x04, 0x00, 0x83, 0x05};
  std::vector<_MACRO_ITEM_> items = SplitMacroCode(code, sizeof code);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1].length, 2);
  EXPECT_EQ(items[1].code[1], 0x10);
  EXPECT_EQ(SerializeMacroCode(items), std::vector<uint8_t>(code, code + 6));

  const uint8_t first0[] = {0x00, 0x83, 0x04};
  EXPECT_TRUE(SplitMacroCode(first0, sizeof first0).empty());
  const uint8_t bad[] = {0x20, 0x02, 0x83, 0x04};  // 0x02 is no opcode: no endless loop
  EXPECT_EQ(SplitMacroCode(bad, sizeof bad).size(), 1u);
  const uint8_t cut[] = {0x40, 0x80, 0x01, 0x00};  // movement needs 5 bytes
  EXPECT_EQ(SplitMacroCode(cut, sizeof cut).size(), 1u);
  const uint8_t unknown[] = {0x81, 0x33, 0x82, 0x00, 0x20};
  items = SplitMacroCode(unknown, sizeof unknown);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].length, 2);
  EXPECT_EQ(FormatInstructionText(items[0]), L"Unknown");
}

TEST(MacrosCode, InstructionTexts) {
  struct Case {
    _MACRO_ITEM_ item;
    const wchar_t* text;
  } cases[] = {
      {MakeMacroItem({0x00}), L"Stop"},
      {MakeMacroItem({0x04}), L"Execute one time"},
      {MakeMacroItem({0x06}), L"Firekey mode"},
      {MakeMacroItem({0x08, 0x21, 0x04}), L"Jump to address 1057"},
      {MakeMacroItem({0x10, 0x02, 0x00}), L"Set ACC=ACC-1, if ACC!=0 then jump to address 2"},
      {MakeMacroItem({0x18, 0xE8, 0x03}), L"Set ACC=1000"},
      {MakeMacroItem({0x23}), L"Press & hold mouse button [Left][Right]"},
      {MakeMacroItem({0x58}), L"Release mouse button [B4][B5]"},
      {MakeMacroItem({0x60}), L"Wheel Scrolling  0 count(unit)"},
      {MakeMacroItem({0x6F}), L"Wheel Scrolling  15 count(unit)"},
      {MakeMacroItem({0x70}), L"Wheel Scrolling  -16 count(unit)"},
      {MakeMacroItem({0x7F}), L"Wheel Scrolling  -1 count(unit)"},
      {MakeMacroItem({0x80, 0xFF, 0xFF, 0x05, 0x00}), L"Mouse Movement (-1 , 5)"},
      {MakeMacroItem({0x83, 0x04}), L"Press & hold Keyboard  A"},
      {MakeMacroItem({0x84, 0xE0}), L"Release Keyboard  Left Control"},
      {MakeMacroItem({0x85, 0xE9, 0x00}), L"Press & hold Consumer-key  Volume +"},
      {MakeMacroItem({0x85, 0x00, 0x00}), L"Release Consumer-key"},
      {MakeMacroItem({0x88, 0xC8}), L"200 ms"},
      {MakeMacroItem({0x89, 0xE8, 0x03}), L"1000 ms"},
      {MakeMacroItem({0xA0, 0xFF, 0xFF, 0x10, 0x00}), L"Mouse Move to (65535 , 16)"},
      {MakeMacroItem({0xC0, 0xFF, 0xFF, 0x10, 0x00}), L"Mouse Move to (-1 , 16)"},
      {MakeMacroItem({0xC5}), L"System command"},
      {MakeMacroItem({0xF0}), L"Unknown"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatInstructionText(c.item), c.text) << int(c.item.code[0]);
  EXPECT_EQ(RunTypeText(9), L"Loop mode");
  EXPECT_EQ(RunTypeText(10), L"Firekey mode");
  EXPECT_EQ(RunTypeText(7), L"One time mode");
}

std::vector<uint8_t> Bytes(std::initializer_list<int> list) {
  std::vector<uint8_t> v;
  for (int b : list) v.push_back(static_cast<uint8_t>(b));
  return v;
}

TEST(MacrosArchiveString, AllLengthForms) {
  struct Case {
    std::vector<uint8_t> bytes;
    std::wstring text;
  } cases[] = {
      {Bytes({0x02, 'h', 'i'}), L"hi"},                                         // 8-bit, one-byte length
      {Bytes({0xFF, 0xFE, 0xFF, 0x01, 'x', 0}), L"x"},                          // UTF-16, one-byte length
      {Bytes({0xFF, 0x01, 0x00, 0xE9}), L"\u00e9"},                             // 8-bit, 16-bit length
      {Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x01, 0x00, 'y', 0}), L"y"},              // UTF-16, 16-bit length
      {Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 'z', 0}), L"z"},  // 32-bit length
      {Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 0, 0, 0, 0, 'w', 0}),
       L"w"},                                                    // 64-bit length
      {Bytes({0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 0x80}), L"\u20ac"},  // 8-bit, 32-bit length
      {Bytes({0x00}), L""},
  };
  for (const Case& c : cases) {
    ArchiveReader in(c.bytes);
    std::wstring text;
    ASSERT_TRUE(in.ReadString(text)) << WideToUtf8(c.text);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(in.Remaining(), 0u);
  }
}

TEST(MacrosArchiveString, LengthsBeyondTheDataFail) {
  std::vector<uint8_t> cases[] = {
      Bytes({0x03, 'a', 'b'}),
      Bytes({0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b'}),
      Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
      Bytes({0xFF, 0xFE}),
      Bytes({}),
  };
  for (const auto& bytes : cases) {
    ArchiveReader in(bytes);
    std::wstring text = L"kept";
    EXPECT_FALSE(in.ReadString(text));
    EXPECT_EQ(text, L"kept");
    EXPECT_EQ(in.Position(), 0u);
  }
}

TEST(MacrosArchiveString, WriterPicksTheShortestForm) {
  struct Case {
    size_t length;
    std::vector<uint8_t> prefix;
  } cases[] = {{0, Bytes({0xFF, 0xFE, 0xFF, 0x00})},
               {254, Bytes({0xFF, 0xFE, 0xFF, 0xFE})},
               {255, Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00})},
               {0xFFFD, Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF})},
               {0xFFFE, Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})}};
  for (const Case& c : cases) {
    ArchiveWriter out;
    std::wstring text(c.length, L'q');
    out.WriteString(text);
    const std::vector<uint8_t>& b = out.Bytes();
    ASSERT_EQ(b.size(), c.prefix.size() + 2 * c.length);
    EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), b.begin())) << c.length;
    ArchiveReader in(b);
    std::wstring back;
    ASSERT_TRUE(in.ReadString(back));
    EXPECT_EQ(back, text);
  }
  // Characters outside the basic plane count as two UTF-16 units.
  ArchiveWriter out;
  out.WriteString(L"\U0001F600");
  EXPECT_EQ(out.Bytes(), Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE}));
}

}  // namespace
