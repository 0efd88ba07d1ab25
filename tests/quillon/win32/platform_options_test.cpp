#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "quillon/lang/IniFile.h"
#include "quillon/lang/TextEncoding.h"
#include "quillon/lang/win32/FileAccess.h"
#include "quillon/lang/win32/IniFileWin32.h"
#include "quillon/lang/win32/Options.h"
#include "quillon/services/win32/SystemHelpers.h"

namespace {

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  Win32IniFileSystem().ReadAll(path, bytes);
  return bytes;
}

// Both options files are removed before and after each test, so the tests
// start from a machine where nothing has been stored.
class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    for (const std::wstring& f : {Common(), User()}) {
      SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(f.c_str());
    }
  }
  static std::wstring Common() { return GetCommonDataFolder() + L"\\options.ini"; }
  static std::wstring User() { return GetUserDataFolder() + L"\\options.ini"; }
};

TEST_F(OptionsTest, DataFoldersAreNamedAfterTheProductAndCreated) {
  std::wstring common = GetCommonDataFolder();
  std::wstring user = GetUserDataFolder();
  EXPECT_EQ(GetSpecialFolder(0x23 /* CSIDL_COMMON_APPDATA */) + L"\\brivane\\quillon", common);
  EXPECT_EQ(GetSpecialFolder(0x1A /* CSIDL_APPDATA */) + L"\\brivane\\quillon", user);
  EXPECT_TRUE(FileExists(common));
  EXPECT_TRUE(FileExists(user));
  EXPECT_EQ(common, GetCommonDataFolder());
}

TEST_F(OptionsTest, MissingFilesGiveDefaultsAndWritesGoToTheCommonFile) {
  EXPECT_EQ(10, ReadOptionInt(L"StartUpWaitDays", 10));
  EXPECT_EQ(L"brivane_quillon", ReadOption(L"Shortname", L"brivane_quillon"));
  ASSERT_TRUE(WriteOption(L"StartUpWaitDays", L"5"));
  EXPECT_TRUE(FileExists(Common()));
  EXPECT_FALSE(FileExists(User()));
  EXPECT_EQ(5, ReadOptionInt(L"StartUpWaitDays", 10));
  EXPECT_EQ(L"5", ReadOption(L"StartUpWaitDays", L"10"));
  ASSERT_TRUE(WriteOption(L"AppHasRun", L"1"));
  // UTF-16LE without byte-order mark, LF line ends, entries in order.
  EXPECT_EQ(Utf16LeFromWide(L"[APPOPT]\nStartUpWaitDays=5\nAppHasRun=1\n"), ReadBytes(Common()));
}

TEST_F(OptionsTest, UnwritableCommonFileSendsValuesToThePerUserFile) {
  ASSERT_TRUE(WriteOption(L"DesktopIcon", L"0"));
  ASSERT_TRUE(WriteOption(L"StartTime", L"7"));
  // As for a normal user, the common file cannot be written: here it is held
  // open for reading only (file permissions do not stop a test run as root).
  HANDLE lock =
      CreateFileW(Common().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, lock);

  ASSERT_TRUE(WriteOption(L"StartTime", L"9"));
  EXPECT_TRUE(FileExists(User()));
  EXPECT_EQ(9, ReadOptionInt(L"StartTime", -1));  // per-user first
  EXPECT_EQ(L"9", ReadOption(L"StartTime", L"-1"));

  // A per-user value equal to the default counts as absent: the common file's
  // value is read instead.
  ASSERT_TRUE(WriteOption(L"DesktopIcon", L"1"));
  EXPECT_EQ(0, ReadOptionInt(L"DesktopIcon", 1));
  EXPECT_EQ(L"0", ReadOption(L"DesktopIcon", L"1"));
  CloseHandle(lock);
  // The common file kept its values.
  IniFile common(Win32IniFileSystem());
  ASSERT_TRUE(common.Load(Common()));
  EXPECT_EQ(7, common.GetInt(L"APPOPT", L"StartTime", -1));
}

TEST_F(OptionsTest, IniFileOnDiskAndFileAccess) {
  // An 8-bit options file (odd length) is read through the ANSI code page.
  std::string ansi = "[APPOPT]\nShortname=caf\xE9!\n";
  ASSERT_EQ(1u, ansi.size() % 2);
  HANDLE file = CreateFileW(Common().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD written = 0;
  WriteFile(file, ansi.data(), static_cast<DWORD>(ansi.size()), &written, nullptr);
  CloseHandle(file);
  EXPECT_EQ(L"caf\u00E9!", ReadOption(L"Shortname", L""));

  // A long path is written and read back.
  std::wstring folder = GetUserDataFolder();
  while (folder.size() < 280) {
    folder += L"\\" + std::wstring(30, L'p');
    CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr);
  }
  std::wstring longPath = folder + L"\\long.ini";
  IniFile ini(Win32IniFileSystem());
  ASSERT_TRUE(ini.Load(longPath));
  ini.SetText(L"S", L"k", L"v");
  ASSERT_TRUE(ini.Save());
  IniFile again(Win32IniFileSystem());
  ASSERT_TRUE(again.Load(longPath));
  EXPECT_EQ(L"v", again.GetText(L"S", L"k", L""));
  EXPECT_TRUE(GrantFileAccess(L"\\\\?\\" + longPath));
  DeleteFileW((L"\\\\?\\" + longPath).c_str());
  for (std::wstring f = folder; f.size() > GetUserDataFolder().size(); f = f.substr(0, f.rfind(L'\\')))
    RemoveDirectoryW((L"\\\\?\\" + f).c_str());

  EXPECT_TRUE(GrantFileAccess(Common()));
  EXPECT_TRUE(GrantFileAccess(GetUserDataFolder() + L"\\"));
  EXPECT_FALSE(GrantFileAccess(GetUserDataFolder() + L"\\no-such-file.ini"));
  // A save into a missing folder fails.
  IniFile nowhere(Win32IniFileSystem());
  nowhere.SetText(L"S", L"k", L"v");
  EXPECT_FALSE(nowhere.Save(GetUserDataFolder() + L"\\no-such-folder\\x.ini"));
}

}  // namespace
