#include <gtest/gtest.h>

#include "quillon/services/SystemInfoText.h"

namespace {

TEST(HigherVersionTest, ComparesNumberByNumber) {
  struct Case {
    const wchar_t* a;
    const wchar_t* b;
    const wchar_t* higher;
  } cases[] = {
      {L"4.0.30319", L"3.5.30729.4926", L"4.0.30319"},
      {L"3.5.30729.4926", L"4.0.30319", L"4.0.30319"},
      {L"2.0", L"2.0.50727", L"2.0.50727"},
      {L"2.0.50727", L"2.0", L"2.0.50727"},
      {L"10.0", L"9.9", L"10.0"},
      {L"9.9", L"10.0", L"10.0"},
      {L"", L"4.5", L"4.5"},
      {L"4.5", L"", L"4.5"},
      {L"", L"", L""},
      {L"1.2", L"1.2", L"1.2"},
      {L"1.02", L"1.2", L"1.02"},  // equal numbers: the first one
      {L"v4", L"1", L"1"},         // no digits -> 0
      {L"4.5.", L"4.5.1", L"4.5.1"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.higher, HigherVersion(c.a, c.b)) << c.a << L" vs " << c.b;
}

TEST(FormatByteSizeTest, UnitsAndBounds) {
  struct Case {
    long long bytes;
    bool base1024;
    const wchar_t* text;
  } cases[] = {
      {1023, true, L"1023 Byte"},
      {1, true, L"1 Byte"},
      {1024, true, L"1.0 kB"},
      {1000, false, L"1.0 kB"},
      {999, false, L"999 Byte"},
      {0, true, L"0 Bytes"},
      {-5, true, L"0 Bytes"},
      {512LL * 1024 * 1024, true, L"512.0 MB"},
      {4LL * 1024 * 1024 * 1024, true, L"4.0 GB"},
      {3LL * 512 * 1024 * 1024 * 1024, true, L"1.5 TB"},
      {1536, true, L"1.5 kB"},
      {2000000000000LL, false, L"2.0 TB"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, FormatByteSize(c.bytes, c.base1024)) << c.bytes;
}

TEST(PercentEncodeTest, EncodesEverythingButKeptAlphanumerics) {
  EXPECT_EQ(L"%7Ba%3A1%7D", PercentEncode(L"{a:1}", true));
  EXPECT_EQ(L"%7B%61%3A%31%7D", PercentEncode(L"{a:1}", false));
  EXPECT_EQ(L"%20%2E%A%22", PercentEncode(L" .\n\"", true));
  EXPECT_EQ(L"%E9%20AC", PercentEncode(L"\u00E9\u20AC", true));
  EXPECT_EQ(L"", PercentEncode(L"", true));
}

TEST(SystemInfoJsonTest, ExactText) {
  EXPECT_EQ(
      L"{\"system\": {\"ID\":\"0123abcd\", \"LANG\":\"de_DE\", \"OS\":\"6.1 (64) Service Pack 1\","
      L"\"NET\":\"3.5.30729.4926SP 1\",\"RAM\":\"4.0 GB\"}}",
      SystemInfoJson(L"0123abcd", L"de_DE", L"6.1 (64) Service Pack 1", L"3.5.30729.4926SP 1", L"4.0 GB"));
  EXPECT_EQ(L"{\"system\": {\"ID\":\"\", \"LANG\":\"\", \"OS\":\"\",\"NET\":\"\",\"RAM\":\"\"}}",
            SystemInfoJson(L"", L"", L"", L"", L""));
}

WmiRow Row(const wchar_t* name, WmiValue::Kind kind, long long number, const wchar_t* text) {
  WmiValue v;
  v.kind = kind;
  v.number = number;
  v.text = text;
  return WmiRow{{name, v}};
}

TEST(MemoryTotalTest, SumsCapacityAndFallsBackToVisibleMemory) {
  const long long kGiB = 1024LL * 1024 * 1024;
  int osQueries = 0;
  auto os = [&osQueries]() {
    ++osQueries;
    return std::vector<WmiRow>{Row(L"TotalVisibleMemorySize", WmiValue::Kind::Text, 0, L"8388608")};
  };
  // Two modules, one reported as text and one as a number, plus a row that
  // converts to nothing.
  std::vector<WmiRow> physical = {Row(L"Capacity", WmiValue::Kind::Text, 0, L"2147483648"),
                                  Row(L"Capacity", WmiValue::Kind::Number, 2147483648LL, L""),
                                  Row(L"Capacity", WmiValue::Kind::Text, 0, L"unknown"), WmiRow{}};
  EXPECT_EQ(4 * kGiB, MemoryTotalFromWmi(physical, os));
  EXPECT_EQ(0, osQueries);
  EXPECT_EQ(L"4.0 GB", FormatByteSize(MemoryTotalFromWmi(physical, os), true));

  // 48 GiB is over the bound: the visible-memory figure (kB) is used.
  std::vector<WmiRow> huge = {Row(L"Capacity", WmiValue::Kind::Text, 0, L"51539607552")};
  EXPECT_EQ(8 * kGiB, MemoryTotalFromWmi(huge, os));
  EXPECT_EQ(1, osQueries);
  // Exactly 32 GiB is still taken.
  std::vector<WmiRow> bound = {Row(L"Capacity", WmiValue::Kind::Number, 32 * kGiB, L"")};
  EXPECT_EQ(32 * kGiB, MemoryTotalFromWmi(bound, os));
  // Nothing usable anywhere: 1 byte.
  EXPECT_EQ(1, MemoryTotalFromWmi({}, [] { return std::vector<WmiRow>{}; }));
  EXPECT_EQ(L"1 Byte", FormatByteSize(MemoryTotalFromWmi({}, [] { return std::vector<WmiRow>{}; }), true));
}

}  // namespace
