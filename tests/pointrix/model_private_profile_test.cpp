#include <gtest/gtest.h>

#include "model_temp_dir.h"
#include "pointrix/model/PrivateProfile.h"
#include "pointrix/model/WideText.h"

using namespace pointrix;

namespace {

const char kIni[] =
    "; comment line\r\n"
    "[SET]\r\n"
    "x=20\r\n"
    "  Y  =  0x64  \r\n"
    "[KEY 1]\r\n"
    "name = \"ESC\"\r\n"
    "code=0x1\r\n"
    ";name=ignored\r\n"
    "empty=\r\n"
    "neg=-5\r\n"
    "trail=12abc\r\n"
    "word=abc\r\n"
    "[key 1]\r\n"
    "name=second section\r\n"
    "[MISC]\n"
    "EnableColor=1\r"
    "quote='single'\n";

TEST(ModelPrivateProfile, ReadsWithTheSystemRules) {
  ModelTempDir dir;
  dir.Write("k.ini", kIni);
  IniFileProfile p;
  std::wstring f = dir.File("k.ini");
  struct Case {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* expected;
  } cases[] = {
      {L"SET", L"x", L"20"},          {L"set", L"y", L"0x64"},    {L"KEY 1", L"NAME", L"ESC"},
      {L"KEY 1", L"empty", L""},      {L"KEY 1", L";name", L"@"}, {L"MISC", L"EnableColor", L"1"},
      {L"MISC", L"quote", L"single"}, {L"KEY 2", L"name", L"@"},  {L" SET ", L"x", L"20"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(p.GetString(c.section, c.key, L"@", 1000, f), c.expected) << WideToUtf8(c.key);
  }
  EXPECT_EQ(p.GetInt(L"SET", L"y", 7, f), 100u);
  EXPECT_EQ(p.GetInt(L"KEY 1", L"code", 7, f), 1u);
  EXPECT_EQ(p.GetInt(L"KEY 1", L"empty", 7, f), 7u);
  EXPECT_EQ(static_cast<int>(p.GetInt(L"KEY 1", L"neg", 7, f)), -5);
  EXPECT_EQ(p.GetInt(L"KEY 1", L"trail", 7, f), 12u);
  EXPECT_EQ(p.GetInt(L"KEY 1", L"word", 7, f), 0u);
  EXPECT_EQ(p.GetInt(L"KEY 1", L"missing", 7, f), 7u);
  // A buffer of 3 characters holds two of them.
  EXPECT_EQ(p.GetString(L"KEY 1", L"name", L"", 3, f), L"ES");
  // Defaults lose trailing blanks; a missing file gives the default.
  EXPECT_EQ(p.GetString(L"none", L"none", L"dflt  ", 100, dir.File("missing.ini")), L"dflt");
}

TEST(ModelPrivateProfile, ReadsUtf16AndCodePageFiles) {
  ModelTempDir dir;
  IniFileProfile p;
  std::vector<uint8_t> utf16 = {0xFF, 0xFE};
  std::vector<uint8_t> body = WideToUtf16Le(L"[1031]\r\nmenu_str1=Beenden \u00fc\u20ac\r\n");
  utf16.insert(utf16.end(), body.begin(), body.end());
  dir.Write("u16.ini", utf16);
  EXPECT_EQ(p.GetString(L"1031", L"menu_str1", L"", 100, dir.File("u16.ini")), L"Beenden \u00fc\u20ac");
  dir.Write("ansi.ini", std::string("[A]\r\nk=\xfc\x80\r\n"));
  EXPECT_EQ(p.GetString(L"A", L"k", L"", 100, dir.File("ansi.ini")), L"\u00fc\u20ac");
  dir.Write("utf8.ini", std::string("\xEF\xBB\xBF[A]\r\nk=\xC3\xBC\r\n"));
  EXPECT_EQ(p.GetString(L"A", L"k", L"", 100, dir.File("utf8.ini")), L"\u00fc");
}

TEST(ModelPrivateProfile, WritesKeepOtherContentAndEncoding) {
  ModelTempDir dir;
  IniFileProfile p;
  std::wstring f = dir.File("set.ini");
  ASSERT_TRUE(p.WriteString(L"ARG", L"osd", L"0", f));
  ASSERT_TRUE(p.WriteString(L"ARG", L"app0", L"C:\\x.exe", f));
  ASSERT_TRUE(p.WriteString(L"OTHER", L"k", L"v", f));
  ASSERT_TRUE(p.WriteString(L"arg", L"OSD", L"1", f));  // replaces, names without regard to case
  ASSERT_TRUE(p.WriteString(L"ARG", L"pin", L"12", f));
  EXPECT_EQ(p.GetString(L"ARG", L"osd", L"", 100, f), L"1");
  EXPECT_EQ(p.GetString(L"ARG", L"app0", L"", 100, f), L"C:\\x.exe");
  EXPECT_EQ(p.GetInt(L"ARG", L"pin", 0, f), 12u);
  EXPECT_EQ(p.GetString(L"OTHER", L"k", L"", 100, f), L"v");
  std::vector<uint8_t> bytes = dir.Read("set.ini");
  std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text, "[ARG]\r\nosd=1\r\napp0=C:\\x.exe\r\npin=12\r\n[OTHER]\r\nk=v\r\n");

  // A UTF-16 file stays UTF-16 and keeps its comments.
  std::vector<uint8_t> utf16 = {0xFF, 0xFE};
  std::vector<uint8_t> body = WideToUtf16Le(L";c\r\n[ARG]\r\nlanguage=1031\r\n");
  utf16.insert(utf16.end(), body.begin(), body.end());
  dir.Write("w.ini", utf16);
  ASSERT_TRUE(p.WriteString(L"ARG", L"pin", L"\u00e9", dir.File("w.ini")));
  std::vector<uint8_t> out = dir.Read("w.ini");
  ASSERT_GE(out.size(), 2u);
  EXPECT_EQ(out[0], 0xFF);
  EXPECT_EQ(Utf16LeToWide(out.data() + 2, out.size() - 2), L";c\r\n[ARG]\r\nlanguage=1031\r\npin=\u00e9\r\n");
}

TEST(ModelPrivateProfile, ParsesIntegersLikeTheSystem) {
  struct Case {
    const wchar_t* text;
    unsigned expected;
  } cases[] = {{L"42", 42},  {L"0x1F", 31}, {L"0X1f", 31},      {L"-1", 0xFFFFFFFFu},
               {L"+7", 7},   {L"0b101", 5}, {L"0o17", 15},      {L"  9", 9},
               {L"0xZZ", 0}, {L"x", 0},     {L"4294967297", 1}, {L"0", 0}};
  for (const Case& c : cases) EXPECT_EQ(ParseProfileInt(c.text), c.expected) << WideToUtf8(c.text);
}

}  // namespace
