#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "quillon/services/win32/Registry.h"
#include "quillon/services/win32/Shortcut.h"
#include "quillon/services/win32/SystemHelpers.h"

namespace {

std::wstring TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  return std::wstring(buffer, length);
}

// Deletes a folder and everything in it; `path` carries the "\\?\" prefix so
// deep trees are reached too.
void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileW(child.c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

// A fresh folder under the temporary folder, removed with its files at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    path_ = TempFolder() + L"plat_helpers_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(GetTickCount());
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~ScratchFolder() { RemoveTree(L"\\\\?\\" + path_); }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

void WriteFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

TEST(PlatformHelpersTest, FileExistsExpandsVariablesAndHandlesLongPaths) {
  EXPECT_TRUE(FileExists(L"%windir%\\system32\\kernel32.dll"));
  EXPECT_TRUE(FileExists(L"%WINDIR%"));
  EXPECT_FALSE(FileExists(L"%windir%\\no-such-file.plat"));
  EXPECT_FALSE(FileExists(L""));

  ScratchFolder scratch;
  // Nested folders until the file's path is about 300 characters.
  std::wstring folder = L"\\\\?\\" + scratch.path();
  while (folder.size() < 280) {
    folder += L"\\" + std::wstring(20, L'd');
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  }
  std::wstring file = folder + L"\\long.txt";
  WriteFile(file, "x");
  std::wstring plain = file.substr(4);
  ASSERT_GT(plain.size(), 290u);
  EXPECT_TRUE(FileExists(plain));
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(plain + L".missing"));
}

TEST(PlatformHelpersTest, SystemAndProgramFacts) {
  // A 64-bit program runs only on 64-bit Windows.
  if (sizeof(void*) == 8) {
    EXPECT_TRUE(Is64BitWindows());
  }
  // The test program carries quillon's version resource.
  EXPECT_EQ(L"quillon", GetProgramProductName());
  EXPECT_EQ(L"1.3.10.0", GetProgramVersion());
  std::wstring path = GetProgramPath();
  EXPECT_EQ(path.substr(0, path.rfind(L'\\')), GetProgramFolder());
  EXPECT_TRUE(FileExists(GetProgramFolder()));
  EXPECT_FALSE(GetSpecialFolder(CSIDL_APPDATA).empty());
  EXPECT_FALSE(GetSpecialFolder(CSIDL_COMMON_APPDATA).empty());
  EXPECT_EQ(L"", GetSpecialFolder(0x7F));  // no such folder
}

const wchar_t kTestKey[] = L"Software\\QuillonPlatformTest";

void DeleteTree(HKEY root, const wchar_t* path, REGSAM view) {
  HKEY parent = nullptr;
  std::wstring p = path;
  size_t slash = p.rfind(L'\\');
  if (RegOpenKeyExW(root, p.substr(0, slash).c_str(), 0, KEY_ALL_ACCESS | view, &parent) != ERROR_SUCCESS)
    return;
  RegDeleteTreeW(parent, p.substr(slash + 1).c_str());
  RegCloseKey(parent);
}

TEST(PlatformHelpersTest, RegistryValuesAsText) {
  DeleteTree(HKEY_CURRENT_USER, kTestKey, 0);
  ASSERT_EQ(0, WriteRegistryText(HKEY_CURRENT_USER, kTestKey, L"Text", L"hello", false));
  ASSERT_EQ(1, WriteRegistryText(HKEY_CURRENT_USER, kTestKey, L"Number", L"42", false));
  RegKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, kTestKey, KEY_ALL_ACCESS));
  DWORD all = 0xFFFFFFFF, seven = 7;
  RegSetValueExW(key.get(), L"Dword", 0, REG_DWORD, reinterpret_cast<BYTE*>(&all), 4);
  RegSetValueExW(key.get(), L"Seven", 0, REG_DWORD, reinterpret_cast<BYTE*>(&seven), 4);
  const wchar_t expand[] = L"%windir%\\x";
  RegSetValueExW(key.get(), L"Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand),
                 sizeof expand);
  const BYTE binary[] = {1, 2, 3};
  RegSetValueExW(key.get(), L"Binary", 0, REG_BINARY, binary, 3);
  std::wstring big(40000, L'b');
  RegSetValueExW(key.get(), L"Big", 0, REG_SZ, reinterpret_cast<const BYTE*>(big.c_str()),
                 static_cast<DWORD>((big.size() + 1) * 2));
  // A text stored without its terminating zero.
  RegSetValueExW(key.get(), L"Unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"abc"), 6);

  wchar_t windir[MAX_PATH];
  GetEnvironmentVariableW(L"windir", windir, MAX_PATH);
  struct Case {
    const wchar_t* name;
    std::wstring text;
    DWORD number;
  } cases[] = {
      {L"Text", L"hello", 0},
      {L"Number", L"42", 42},
      {L"Dword", L"-1", 0xFFFFFFFF},
      {L"Seven", L"7", 7},
      {L"Expand", std::wstring(windir) + L"\\x", 0},
      {L"Binary", L"", 0},
      {L"Missing", L"", 0},
      {L"Big", big, 0},
      {L"Unterminated", L"abc", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.text, ReadRegistryText(key.get(), c.name)) << c.name;
    EXPECT_EQ(c.number, ReadRegistryDword(key.get(), c.name)) << c.name;
  }
  key.Close();
  DeleteTree(HKEY_CURRENT_USER, kTestKey, 0);
}

TEST(PlatformHelpersTest, RegistryWritesGoToTheRequestedView) {
  const wchar_t kMachineKey[] = L"SOFTWARE\\QuillonPlatformViewTest";
  DeleteTree(HKEY_LOCAL_MACHINE, kMachineKey, KEY_WOW64_32KEY);
  DeleteTree(HKEY_LOCAL_MACHINE, kMachineKey, KEY_WOW64_64KEY);
  ASSERT_EQ(0, WriteRegistryText(HKEY_LOCAL_MACHINE, kMachineKey, L"V", L"32", false));
  ASSERT_EQ(0, WriteRegistryText(HKEY_LOCAL_MACHINE, kMachineKey, L"V", L"64", true));
  RegKey k32, k64;
  ASSERT_EQ(ERROR_SUCCESS, k32.Open(HKEY_LOCAL_MACHINE, kMachineKey, KEY_READ | KEY_WOW64_32KEY));
  ASSERT_EQ(ERROR_SUCCESS, k64.Open(HKEY_LOCAL_MACHINE, kMachineKey, KEY_READ | KEY_WOW64_64KEY));
  EXPECT_EQ(L"32", ReadRegistryText(k32.get(), L"V"));
  EXPECT_EQ(L"64", ReadRegistryText(k64.get(), L"V"));
  k32.Close();
  k64.Close();
  DeleteTree(HKEY_LOCAL_MACHINE, kMachineKey, KEY_WOW64_32KEY);
  DeleteTree(HKEY_LOCAL_MACHINE, kMachineKey, KEY_WOW64_64KEY);
  EXPECT_EQ(-1, WriteRegistryText(nullptr, L"Software\\x", L"V", L"x", false));
}

TEST(PlatformHelpersTest, ShortcutIsWrittenAndResolvedAgain) {
  ScratchFolder scratch;
  std::wstring target = scratch.path() + L"\\target.exe";
  WriteFile(target, "MZ");
  std::wstring link = scratch.path() + L"\\quillon.lnk";
  ASSERT_EQ(S_OK, CreateShortcut(target, L"-timer", link, SW_SHOWNORMAL, scratch.path(), target, 0));
  ASSERT_TRUE(FileExists(link));
  std::wstring resolved, arguments;
  ASSERT_EQ(S_OK, ResolveShortcut(link, resolved, arguments));
  EXPECT_EQ(0, lstrcmpiW(target.c_str(), resolved.c_str())) << resolved;
  EXPECT_EQ(L"-timer", arguments);

  // Refused before anything is written.
  std::wstring refused = scratch.path() + L"\\refused.lnk";
  EXPECT_EQ(E_INVALIDARG, CreateShortcut(L"x", L"", refused, 0, L"", L"", 0));
  EXPECT_EQ(E_INVALIDARG, CreateShortcut(target, L"", refused, -1, L"", L"", 0));
  EXPECT_EQ(E_INVALIDARG, CreateShortcut(target, L"", refused, 0, L"", L"", -1));
  EXPECT_FALSE(FileExists(refused));
  EXPECT_TRUE(FAILED(ResolveShortcut(scratch.path() + L"\\missing.lnk", resolved, arguments)));
}

}  // namespace
