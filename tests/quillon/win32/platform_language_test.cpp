#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillon/lang/Text.h"
#include "quillon/lang/win32/LanguageModule.h"
#include "quillon/lang/win32/MrFramework.h"
#include "quillon/lang/win32/ResourceFiles.h"
#include "quillon/lang/win32/TempFiles.h"
#include "quillon/services/win32/SystemHelpers.h"

namespace {

LANGID g_lang_id = 0x0409;
LANGID TestLangId() { return g_lang_id; }

std::wstring TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  return std::wstring(buffer, length);
}

std::wstring TempName(int n) { return TempFolder() + L"\\MrFramework_" + std::to_wstring(n) + L".tmp"; }

void WriteBytes(const std::wstring& path, const void* data, DWORD size) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD written = 0;
  ::WriteFile(file, data, size, &written, nullptr);
  CloseHandle(file);
}

// Each test starts the framework with a user language of its choice and ends
// it, and starts without leftover MrFramework_n.tmp files.
class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int n = 0; n < 8; ++n) DeleteFileW(TempName(n).c_str());
    SetUserLangIdSource(&TestLangId);
    ASSERT_TRUE(MrFrameworkInit());
  }
  void TearDown() override {
    MrFrameworkExit();
    SetUserLangIdSource(nullptr);
    for (const std::wstring& f : created_) DeleteFileW(f.c_str());
    if (!languages_folder_.empty()) RemoveDirectoryW(languages_folder_.c_str());
  }
  void StartAs(LANGID id) { g_lang_id = id; }

  // A copy of an embedded translation library at path (or any bytes).
  void PlaceLibrary(const std::wstring& path, UINT resource) {
    ResourceCopy copy;
    ASSERT_TRUE(LoadResourceCopy(GetModuleHandleW(nullptr), resource, L"DATA", copy));
    WriteBytes(path, copy.bytes.data(), copy.size);
    created_.push_back(path);
  }
  void PlaceGarbage(const std::wstring& path) {
    WriteBytes(path, "not a library", 13);
    created_.push_back(path);
  }
  std::wstring Base() {
    std::wstring path = GetProgramPath();
    return path.substr(0, path.rfind(L'.'));
  }
  std::wstring LanguagesBase() {
    std::wstring base = Base();
    size_t slash = base.rfind(L'\\');
    languages_folder_ = base.substr(0, slash) + L"\\languages";
    CreateDirectoryW(languages_folder_.c_str(), nullptr);
    return languages_folder_ + base.substr(slash);
  }

  std::vector<std::wstring> created_;
  std::wstring languages_folder_;
};

TEST_F(LanguageTest, GermanLoadsTheEmbeddedLibraryThroughTheFirstTemporaryName) {
  StartAs(0x0407);
  HMODULE module = GetLanguageModule();
  EXPECT_NE(GetModuleHandleW(nullptr), module);
  std::vector<std::wstring> names = TempFileNames();
  ASSERT_EQ(1u, names.size());
  EXPECT_EQ(TempName(0), names[0]);
  EXPECT_TRUE(FileExists(names[0]));
  EXPECT_EQ(L"M\u00F6chten Sie wirklich beenden?", LoadText(177));
  EXPECT_EQ(L"720", LoadText(151));
  EXPECT_EQ(module, GetLanguageModule());
  EXPECT_EQ(L"", LoadText(159));  // requested by the checks but in no table
  EXPECT_EQ(L"%d", LoadText(148).substr(LoadText(148).size() - 2));
}

TEST_F(LanguageTest, EachTranslationHasItsWindowWidthAndTexts) {
  struct Case {
    LANGID id;
    const wchar_t* width;
    const wchar_t* quit;
  } cases[] = {
      {0x0407, L"720", L"M\u00F6chten Sie wirklich beenden?"},
      {0x0C0A, L"780", L"\u00BFRealmente desea salir?"},
      {0x040C, L"780", L"Voulez-vous vraiment quitter ?"},
      {0x0410, L"780", L"Vuoi davvero uscire?"},
      {0x0413, L"790", L"Wilt u echt afsluiten?"},
      {0x0415, L"850", L"Czy na pewno chcesz zako\u0144czy\u0107?"},
      {0x0416, L"850", L"Pretende mesmo sair?"},  // Brazilian users get European Portuguese
      {0x0816, L"850", L"Pretende mesmo sair?"},
      {0x0419, L"890",
       L"\u0412\u044B \u0434\u0435\u0439\u0441\u0442\u0432\u0438\u0442\u0435\u043B\u044C\u043D\u043E "
       L"\u0445\u043E\u0442\u0438\u0442\u0435 \u0432\u044B\u0439\u0442\u0438?"},
  };
  for (const Case& c : cases) {
    MrFrameworkExit();
    ASSERT_TRUE(MrFrameworkInit());
    StartAs(c.id);
    EXPECT_NE(GetModuleHandleW(nullptr), GetLanguageModule()) << std::hex << c.id;
    EXPECT_EQ(c.width, LoadText(151)) << std::hex << c.id;
    EXPECT_EQ(c.quit, LoadText(177)) << std::hex << c.id;
    // Every text the program shows exists in every translation.
    for (unsigned id : {135u, 136u, 140u, 147u, 158u, 161u, 170u, 176u, 180u, 191u})
      EXPECT_FALSE(LoadText(id).empty()) << std::hex << c.id << " " << std::dec << id;
  }
}

TEST_F(LanguageTest, EnglishUsesTheProgramsOwnTextsAndDecidesOnce) {
  StartAs(0x0409);
  EXPECT_EQ(GetModuleHandleW(nullptr), GetLanguageModule());
  EXPECT_EQ(L"Do you really want to quit?", LoadText(177));
  EXPECT_EQ(L"", LoadText(151));
  EXPECT_EQ(L"Shared (missing) dll's: %d", LoadText(148));
  // No resource 2009, but the name was handed out and stays listed.
  EXPECT_EQ(1u, TempFileNames().size());
  // A library appearing later is not looked for again in this run.
  PlaceLibrary(Base() + L"_en_US.dll", 2007);
  EXPECT_EQ(GetModuleHandleW(nullptr), GetLanguageModule());
  EXPECT_EQ(L"Do you really want to quit?", LoadText(177));
}

TEST_F(LanguageTest, SideBySideCandidatesAreProbedInOrder) {
  // Which of the four candidate names hold a library (resource id, 0 none,
  // 1 a damaged file), and whose width text must win.
  struct Case {
    LANGID id;
    const wchar_t* code;
    UINT files[4];
    const wchar_t* width;
  } cases[] = {
      {0x0409, L"en_US", {0, 0, 0, 2025}, L"890"},       {0x0409, L"en_US", {0, 0, 2019, 2025}, L"790"},
      {0x0409, L"en_US", {0, 2016, 2019, 2025}, L"780"}, {0x0409, L"en_US", {2007, 2016, 2019, 2025}, L"720"},
      {0x0409, L"en_US", {1, 2021, 0, 0}, L"850"},       {0x0409, L"en_US", {1, 1, 1, 1}, L""},
      {0x0804, L"zh_CN", {0, 2007, 0, 0}, L"720"},  // resource 8002 does not exist
      {0x0433, L"[433]", {0, 2025, 0, 0}, L"890"},  // second name: base + .dll
  };
  for (const Case& c : cases) {
    MrFrameworkExit();
    ASSERT_TRUE(MrFrameworkInit());
    StartAs(c.id);
    std::wstring code = c.code;
    std::wstring shortCode =
        code.find(L'_') == std::wstring::npos ? L"" : L"_" + code.substr(0, code.rfind(L'_'));
    std::wstring lang = LanguagesBase();
    std::wstring names[4] = {Base() + L"_" + code + L".dll", Base() + shortCode + L".dll",
                             lang + L"_" + code + L".dll", lang + shortCode + L".dll"};
    for (int i = 0; i < 4; ++i) {
      if (c.files[i] == 1) PlaceGarbage(names[i]);
      if (c.files[i] > 1) PlaceLibrary(names[i], c.files[i]);
    }
    EXPECT_EQ(c.width, LoadText(151))
        << c.code << " " << c.files[0] << c.files[1] << c.files[2] << c.files[3];
    MrFrameworkExit();  // frees the library before its file goes
    for (const std::wstring& f : created_) DeleteFileW(f.c_str());
    created_.clear();
    ASSERT_TRUE(MrFrameworkInit());
  }
}

TEST_F(LanguageTest, ExistingTemporaryNamesAreSkippedAndAllDeletedAtExit) {
  WriteBytes(TempName(0), "a", 1);
  WriteBytes(TempName(1), "b", 1);
  std::wstring name = MakeTempFileName(L"tmp");
  EXPECT_EQ(TempName(2), name);
  std::vector<std::wstring> names = TempFileNames();
  ASSERT_EQ(3u, names.size());
  EXPECT_EQ(TempName(0), names[0]);
  EXPECT_EQ(TempName(1), names[1]);
  WriteBytes(name, "c", 1);
  EXPECT_EQ(TempFolder() + L"\\MrFramework_3.png", MakeTempFileName(L"png"));

  // Counted: only the last exit tears down.
  ASSERT_TRUE(MrFrameworkInit());
  MrFrameworkExit();
  EXPECT_TRUE(FileExists(TempName(2)));
  MrFrameworkExit();
  for (int n = 0; n < 3; ++n) EXPECT_FALSE(FileExists(TempName(n))) << n;
  EXPECT_TRUE(TempFileNames().empty());
  ASSERT_TRUE(MrFrameworkInit());
}

TEST_F(LanguageTest, ResourceCopyAndExtraction) {
  HMODULE self = GetModuleHandleW(nullptr);
  ResourceCopy copy;
  ASSERT_TRUE(LoadResourceCopy(self, 2025, L"DATA", copy));
  ASSERT_GT(copy.size, 64u);
  ASSERT_GE(copy.bytes.size(), copy.size + 32u);
  EXPECT_EQ('M', copy.bytes[0]);
  for (size_t i = copy.size; i < copy.bytes.size(); ++i) ASSERT_EQ(0, copy.bytes[i]);
  EXPECT_FALSE(LoadResourceCopy(self, 2009, L"DATA", copy));

  std::wstring path = MakeTempFileName(L"tmp");
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), ExtractResourceToFile(self, 2009, L"DATA", path));
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(0u, ExtractResourceToFile(self, 2025, L"DATA", path));
  EXPECT_EQ(0u, ExtractResourceToFile(self, 2007, L"DATA", path));  // overwriting counts as success
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
  ASSERT_TRUE(LoadResourceCopy(self, 2007, L"DATA", copy));
  EXPECT_EQ(copy.size, data.nFileSizeLow);
  EXPECT_NE(0u, ExtractResourceToFile(self, 2007, L"DATA", TempFolder() + L"no-such-folder\\x.tmp"));
}

TEST_F(LanguageTest, DamagedStringTablesGiveEmptyTexts) {
  // The program's own table: present, absent and out-of-range entries.
  HMODULE self = GetModuleHandleW(nullptr);
  EXPECT_EQ(L"quillon", LoadTextFrom(self, 136));
  EXPECT_EQ(L"", LoadTextFrom(self, 178));
  EXPECT_EQ(L"", LoadTextFrom(self, 60000));
}

TEST_F(LanguageTest, UserLanguageCodeFollowsTheLanguageEachTime) {
  StartAs(0x0407);
  EXPECT_EQ(L"de_DE", GetUserLanguageCode());
  StartAs(0x0433);
  EXPECT_EQ(L"[433]", GetUserLanguageCode());
  SetUserLangIdSource(nullptr);
  EXPECT_FALSE(GetUserLanguageCode().empty());
}

}  // namespace
