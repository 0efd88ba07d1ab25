#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "quillon/lang/IniFile.h"
#include "quillon/lang/win32/IniFileWin32.h"
#include "quillon/lang/win32/LanguageModule.h"
#include "quillon/services/win32/ComputerId.h"
#include "quillon/services/win32/Registry.h"
#include "quillon/services/win32/SystemHelpers.h"
#include "quillon/services/win32/SystemInfo.h"
#include "quillon/services/win32/WmiQuery.h"

namespace {

const wchar_t kIdKey[] = L"CLSID\\{11E7B631-8B1D-48e5-81B8-C2C15F39711A}";

void DeleteKey(HKEY root, const std::wstring& path) {
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    size_t slash = path.rfind(L'\\');
    RegKey parent;
    if (parent.Open(root, path.substr(0, slash), KEY_ALL_ACCESS | view) == ERROR_SUCCESS)
      RegDeleteTreeW(parent.get(), path.substr(slash + 1).c_str());
  }
}

std::wstring ReadId(HKEY root) {
  RegKey key;
  if (key.Open(root, kIdKey, KEY_READ | KEY_WOW64_32KEY) != ERROR_SUCCESS) return L"";
  return ReadRegistryText(key.get(), L"ID");
}

// Every place the identity may be kept starts empty and is emptied again.
class IdentityTest : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static std::wstring IdFile() { return GetSpecialFolder(0x23) + L"\\brivane\\brivaneID.dat"; }
  static void Clear() {
    DeleteKey(HKEY_CLASSES_ROOT, kIdKey);
    DeleteKey(HKEY_CURRENT_USER, kIdKey);
    DeleteFileW(IdFile().c_str());
  }
};

TEST_F(IdentityTest, MadeOnceStoredInTheFirstPlaceAndReadBackUnchanged) {
  std::wstring id = GetComputerId();
  EXPECT_TRUE(std::regex_match(id, std::wregex(L"[0-9a-f]{32}"))) << id;
  EXPECT_EQ(id, ReadId(HKEY_CLASSES_ROOT));
  EXPECT_FALSE(FileExists(IdFile()));
  EXPECT_EQ(L"", ReadId(HKEY_CURRENT_USER));
  EXPECT_TRUE(FileExists(GetSpecialFolder(0x23) + L"\\brivane"));
  EXPECT_EQ(id, GetComputerId());
}

TEST_F(IdentityTest, StoredValuesAreReadInOrderAndNotChecked) {
  // Third place only.
  ASSERT_EQ(0, WriteRegistryText(HKEY_CURRENT_USER, kIdKey, L"ID", L"from-user", false));
  EXPECT_EQ(L"from-user", GetComputerId());
  // The file comes before it.
  IniFile file(Win32IniFileSystem());
  ASSERT_TRUE(file.Load(IdFile()));
  file.SetText(L"CID", L"ID", L"from-file");
  ASSERT_TRUE(file.Save());
  EXPECT_EQ(L"from-file", GetComputerId());
  // The classes root comes first, whatever it holds.
  ASSERT_EQ(0, WriteRegistryText(HKEY_CLASSES_ROOT, kIdKey, L"ID", L"not hex at all", false));
  EXPECT_EQ(L"not hex at all", GetComputerId());
}

TEST_F(IdentityTest, SeedHasItsThreeParts) {
  std::wstring seed = ReadComputerIdSeed();
  EXPECT_TRUE(std::regex_match(
      seed, std::wregex(L"(SOMEWHERE|([0-9A-F]{2}:){5}[0-9A-F]{2})[0-9A-F]{16}-?[0-9]+_-?[0-9]+")))
      << seed;
}

const wchar_t kNdp[] = L"Software\\QuillonPlatformTest\\NDP";

void SetText(const std::wstring& key, const wchar_t* name, const wchar_t* value) {
  ASSERT_GE(WriteRegistryText(HKEY_CURRENT_USER, key, name, value, false), 0);
}

void SetDword(const std::wstring& path, const wchar_t* name, DWORD value) {
  RegKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS));
  RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof value);
}

TEST(SystemInfoTest, DotNetVersionFromTheNdpTree) {
  std::wstring ndp = kNdp;
  DeleteKey(HKEY_CURRENT_USER, L"Software\\QuillonPlatformTest");
  EXPECT_EQ(L"0", GetDotNetVersionTextFrom(HKEY_CURRENT_USER, ndp));
  SetText(ndp + L"\\v2.0.50727", L"Version", L"2.0.50727.4927");
  SetDword(ndp + L"\\v2.0.50727", L"SP", 2);
  EXPECT_EQ(L"2.0.50727.4927SP 2", GetDotNetVersionTextFrom(HKEY_CURRENT_USER, ndp));
  SetText(ndp + L"\\v3.5", L"Version", L"3.5.30729.4926");
  SetDword(ndp + L"\\v3.5", L"SP", 1);
  EXPECT_EQ(L"3.5.30729.4926SP 1", GetDotNetVersionTextFrom(HKEY_CURRENT_USER, ndp));
  // Version 4 keeps its versions in Client and Full.
  SetText(ndp + L"\\v4\\Client", L"Version", L"4.0.30319");
  SetText(ndp + L"\\v4\\Full", L"Version", L"4.5.50709");
  EXPECT_EQ(L"4.5.50709", GetDotNetVersionTextFrom(HKEY_CURRENT_USER, ndp));
  SetDword(ndp + L"\\v4\\Full", L"SP", 0);
  EXPECT_EQ(L"4.5.50709SP 0", GetDotNetVersionTextFrom(HKEY_CURRENT_USER, ndp));
  DeleteKey(HKEY_CURRENT_USER, L"Software\\QuillonPlatformTest");
}

TEST(SystemInfoTest, SystemFactsAndJson) {
  std::wstring os = GetOsVersionText();
  EXPECT_TRUE(std::regex_match(os, std::wregex(L"[0-9]+\\.[0-9]+ \\((32|64)\\) .*"))) << os;
  if (sizeof(void*) == 8) {
    EXPECT_NE(std::wstring::npos, os.find(L"(64)"));
  }
  std::wstring ram = GetMemorySizeText();
  EXPECT_TRUE(std::regex_match(ram, std::wregex(L"[0-9]+\\.[0-9] (kB|MB|GB|TB)|[0-9]+ Byte"))) << ram;

  WmiQuery wmi;
  ASSERT_TRUE(wmi.Connect());
  std::vector<WmiRow> rows;
  ASSERT_TRUE(wmi.Run(L"SELECT * FROM Win32_OperatingSystem", {}, rows));
  ASSERT_FALSE(rows.empty());
  EXPECT_FALSE(WmiRowText(rows[0], L"TotalVisibleMemorySize").empty());
  rows.clear();
  wmi.Run(L"SELECT * FROM No_Such_Class_Here", {}, rows);
  EXPECT_TRUE(rows.empty());

  std::wstring json = BuildSystemInfoJson();
  std::wstring head = L"{\"system\": {\"ID\":\"" + GetComputerId() + L"\", \"LANG\":\"" +
                      GetUserLanguageCode() + L"\", \"OS\":\"" + os + L"\",\"NET\":\"";
  EXPECT_EQ(head, json.substr(0, head.size())) << json;
  std::wstring tail = L"\",\"RAM\":\"" + ram + L"\"}}";
  ASSERT_GT(json.size(), tail.size());
  EXPECT_EQ(tail, json.substr(json.size() - tail.size())) << json;
}

}  // namespace
