#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "quillon/lang/IniFile.h"
#include "quillon/lang/TextEncoding.h"

namespace {

std::string Utf16(const std::wstring& text) { return Utf16LeFromWide(text); }

IniFile Parsed(const std::string& bytes) {
  IniFile ini;
  ini.LoadBytes(bytes);
  return ini;
}

TEST(IniFileTest, LengthParityChoosesTheEncoding) {
  // UTF-16LE, even length: read.
  EXPECT_EQ(1, Parsed(Utf16(L"[APPOPT]\nAppHasRun=1\n")).GetInt(L"APPOPT", L"AppHasRun", 0));
  // 8-bit text with an odd byte count: read as ANSI.
  std::string odd = "[APPOPT]\nAppHasRun=1\n";
  ASSERT_EQ(1u, odd.size() % 2);
  EXPECT_EQ(1, Parsed(odd).GetInt(L"APPOPT", L"AppHasRun", 0));
  // The same 8-bit text with an even byte count is misread as UTF-16.
  std::string even = "[APPOPT]\nAppHasRun=1\n\n";
  ASSERT_EQ(0u, even.size() % 2);
  EXPECT_EQ(0, Parsed(even).GetInt(L"APPOPT", L"AppHasRun", 0));
  // No byte-order mark is skipped: it becomes part of the first line.
  EXPECT_EQ(L"d", Parsed(Utf16(L"\xFEFF[S]\nk=v\n")).GetText(L"S", L"k", L"d"));
}

TEST(IniFileTest, AnsiTextIsDecodedThroughTheFileSystem) {
  std::string odd = "[S]\nname=caf\xE9!\n";
  ASSERT_EQ(1u, odd.size() % 2);
  EXPECT_EQ(L"caf\u00E9!", Parsed(odd).GetText(L"S", L"name", L""));
}

TEST(IniFileTest, LinesAndPairs) {
  struct Case {
    const wchar_t* text;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* expected;
  } cases[] = {
      // A last line without line feed is ignored.
      {L"[APPOPT]\nStartTime=5", L"APPOPT", L"StartTime", L"-1"},
      // Keys and values keep their blanks.
      {L"[S]\nKey = x\n", L"S", L"Key ", L" x"},
      {L"[S]\nKey = x\n", L"S", L"Key", L"-1"},
      // A pair before any section is ignored.
      {L"x=1\n[S]\n", L"S", L"x", L"-1"},
      // A carriage return stays part of the value.
      {L"[S]\r\nk=v\r\n", L"S", L"k", L"v\r"},
      // The value is everything after the first "=".
      {L"[S]\nk=a=b\n", L"S", L"k", L"a=b"},
      // A header is trimmed; anything after its "]" makes it no header.
      {L"  [S]  \nk=1\n", L"S", L"k", L"1"},
      {L"[A]\n[S] x\nk=1\n", L"A", L"k", L"1"},
      // A later pair replaces an earlier value of the same key.
      {L"[S]\nk=1\nk=2\n", L"S", L"k", L"2"},
      // Names are matched with letter case.
      {L"[S]\nk=1\n", L"s", L"k", L"-1"},
      {L"[S]\nk=1\n", L"S", L"K", L"-1"},
      // Sections of the same name merge.
      {L"[S]\na=1\n[T]\n[S]\nb=2\n", L"S", L"b", L"2"},
      // Other lines and empty lines are skipped.
      {L"[S]\n\n; note\nk=1\n", L"S", L"k", L"1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, Parsed(Utf16(c.text)).GetText(c.section, c.key, L"-1")) << c.text;
  }
}

TEST(IniFileTest, NumbersAndDefaults) {
  IniFile ini = Parsed(Utf16(L"[S]\nn=42\nbig=9000000000\nneg=-7\nword=abc\n"));
  EXPECT_EQ(42, ini.GetInt(L"S", L"n", 0));
  EXPECT_EQ(-7, ini.GetInt(L"S", L"neg", 0));
  EXPECT_EQ(0, ini.GetInt(L"S", L"word", 5));  // present but not a number
  EXPECT_EQ(5, ini.GetInt(L"S", L"missing", 5));
  EXPECT_EQ(5, ini.GetInt(L"Missing", L"n", 5));
  EXPECT_EQ(9000000000LL, ini.GetInt64(L"S", L"big", 0));
  EXPECT_EQ(-3LL, ini.GetInt64(L"S", L"none", -3));
}

TEST(IniFileTest, WritesUtf16WithLineFeedsInOrder) {
  IniFile ini = Parsed(Utf16(L"[B]\nz=1\n"));
  ini.SetText(L"A", L"k", L"v");
  ini.SetText(L"B", L"a", L"2");
  ini.SetText(L"B", L"z", L"3");
  ini.SetInt64(L"A", L"n", -9000000000LL);
  ini.SetText(L"Empty", L"", L"");
  EXPECT_EQ(Utf16(L"[B]\nz=3\na=2\n[A]\nk=v\nn=-9000000000\n[Empty]\n=\n"), ini.SaveBytes());
}

TEST(IniFileTest, EqualsSignsInNewNamesAreStoredAsHashDashHash) {
  IniFile ini;
  ini.SetText(L"s=t", L"a=b", L"x=y");
  ini.SetText(L"s=t", L"a=b", L"again");  // same entry, not a second one
  EXPECT_EQ(Utf16(L"[s#-#t]\na#-#b=again\n"), ini.SaveBytes());
  EXPECT_EQ(L"again", ini.GetText(L"s=t", L"a=b", L""));
  // The written text reads back to the same document.
  IniFile copy = Parsed(ini.SaveBytes());
  EXPECT_EQ(L"again", copy.GetText(L"s#-#t", L"a#-#b", L""));
}

TEST(IniFileTest, LoadingClearsAndMissingFileIsEmpty) {
  IniFile ini = Parsed(Utf16(L"[S]\nk=1\n"));
  ini.LoadBytes(Utf16(L"[T]\nj=2\n"));
  EXPECT_EQ(L"-", ini.GetText(L"S", L"k", L"-"));
  EXPECT_FALSE(ini.Load(L""));
  EXPECT_TRUE(ini.Load(L"no-such-folder-for-ini-test/options.ini"));
  EXPECT_TRUE(ini.sections().empty());
  EXPECT_EQ(L"no-such-folder-for-ini-test/options.ini", ini.path());
}

TEST(IniFileTest, SaveNeedsATargetAndRoundTripsThroughAFile) {
  IniFile empty;
  EXPECT_FALSE(empty.Save());
  std::filesystem::path file = std::filesystem::temp_directory_path() /
                               ("ini_file_test_" + std::to_string(std::random_device()()) + ".ini");
  std::wstring path = file.wstring();
  IniFile ini;
  ASSERT_TRUE(ini.Load(path));
  ini.SetText(L"APPOPT", L"AppHasRun", L"1");
  ASSERT_TRUE(ini.Save());
  IniFile again;
  ASSERT_TRUE(again.Load(path));
  EXPECT_EQ(1, again.GetInt(L"APPOPT", L"AppHasRun", 0));
  std::filesystem::remove(file);
}

}  // namespace
