#include <gtest/gtest.h>

#include "quillon/engine/ZevCheck_SystemTweak.h"
#include "scan_fakes.h"

namespace {

using scanfake::FakeMachine;
const RegistryHive HKCU = RegistryHive::CurrentUser;
const RegistryHive HKLM = RegistryHive::LocalMachine;
const RegistryHive HKCR = RegistryHive::ClassesRoot;
const RegistryView V32 = RegistryView::Bits32;
const RegistryView V64 = RegistryView::Bits64;

const std::wstring kFileExts = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
const std::wstring kSharedDlls = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const std::wstring kFolders = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
const std::wstring kUserData = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData";
const std::wstring kArpCache = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";
const std::wstring kUninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct Recorder : IProgress {
  std::vector<double> steps;
  int ends = 0;
  bool answer = true;
  double stopAt = 1000;
  void Begin() override {}
  bool Step(double percent) override {
    steps.push_back(percent);
    return answer && percent < stopAt;
  }
  void End() override { ++ends; }
};

class StabilityCheck : public ::testing::Test {
 protected:
  void SetUp() override { scanfake::UseEnglishTexts(); }

  CZevCheck_SystemTweak& Module() {
    module.reset(new CZevCheck_SystemTweak(m.Sources()));
    module->Result()->SetSleepFunction([this](int ms) { pauses.push_back(ms); });
    return *module;
  }
  static std::wstring Title(const IResult* r) {
    return FetchText([&](wchar_t* b, int n) { return r->GetTitle(b, n); });
  }
  void AddClass(const std::wstring& clsid, const std::wstring& server) {
    m.registry.AddText(HKCR, L"CLSID\\" + clsid + L"\\InprocServer32", L"", server);
  }

  FakeMachine m;
  std::unique_ptr<CZevCheck_SystemTweak> module;
  std::vector<int> pauses;
};

}  // namespace

TEST_F(StabilityCheck, EmptyFileTypeEntries) {
  m.registry.AddText(HKCU, kFileExts + L"\\.fine\\OpenWithList", L"a", L"notepad.exe");
  m.registry.AddKey(HKCU, kFileExts + L"\\.bare");                     // counts
  m.registry.AddKey(HKCU, kFileExts + L"\\.hollow\\OpenWithProgids");  // counts
  m.registry.AddKey(HKCU, kFileExts + L"\\.own\\OpenWithList");        // own value: fine
  m.registry.AddText(HKCU, kFileExts + L"\\.own", L"Progid", L"txtfile");
  m.registry.AddNumber(HKCU, kFileExts + L"\\.numbered\\UserChoice", L"Hash");  // any value will do
  m.registry.AddKey(HKCU, kFileExts + L"\\.elsewhere", V64);                    // another view
  EXPECT_EQ(2, Module().CountEmptyFileTypes());
}

TEST_F(StabilityCheck, SharedLibrariesOnlyLowerCaseDllAtTheEndIsExamined) {
  const struct {
    const wchar_t* name;
    bool exists;
  } values[] = {
      {L"C:\\Windows\\system32\\gone.dll", false},  // counts
      {L"C:\\Windows\\system32\\here.dll", true},
      {L"C:\\Program Files\\App\\GONE.DLL", false},  // upper case: not examined
      {L"C:\\App\\gone.dll.bak", false},             // .dll not at the end
      {L"C:\\App\\a.dll\\b.dll", false},             // first .dll not at the end
      {L"nofolder.dll", false},                      // no folder
      {L"C:\\App\\twice.dll", false},                // counts once
      {L"C:\\App\\twice.dll", false},
  };
  for (const auto& v : values) {
    m.registry.AddNumber(HKLM, kSharedDlls, v.name);
    if (v.exists) m.files.AddFile(v.name, 1);
  }
  EXPECT_EQ(2, Module().CountMissingSharedDlls());
}

TEST_F(StabilityCheck, SystemFolderPathsAreRetriedThroughSysnativeOnlyUnderWow64) {
  m.registry.AddNumber(HKLM, kSharedDlls, L"C:\\Windows\\System32\\native.dll");
  m.registry.AddNumber(HKLM, kSharedDlls, L"C:\\Windows\\System32\\nowhere.dll");
  m.files.AddFile(L"C:\\WINDOWS\\SYSNATIVE\\NATIVE.DLL", 1);
  m.shell.wow64 = false;
  EXPECT_EQ(2, Module().CountMissingSharedDlls());
  m.shell.wow64 = true;
  EXPECT_EQ(1, Module().CountMissingSharedDlls());
}

TEST_F(StabilityCheck, ComServersAreExpandedDeduplicatedAndReportProgress) {
  m.shell.environment[L"SYSTEMROOT"] = L"C:\\Windows";
  m.files.AddFile(L"C:\\Windows\\system32\\ole32.dll", 1);
  AddClass(L"{00000001}", L"%SystemRoot%\\system32\\ole32.dll");  // expanded: exists
  AddClass(L"{00000002}", L"%SystemRoot%\\system32\\lost.dll");   // counts
  AddClass(L"{00000003}", L"C:\\Windows\\system32\\lost.dll");    // same path after expansion
  AddClass(L"{00000004}", L"C:\\App\\server.exe");                // not a library
  m.registry.AddKey(HKCR, L"CLSID\\{00000005}");                  // no server key
  for (int i = 0; i < 15; ++i)
    AddClass(L"{1000" + std::to_wstring(i) + L"}", L"C:\\Gone\\x" + std::to_wstring(i) + L".dll");
  CZevCheck_SystemTweak& mod = Module();
  Recorder progress;
  progress.answer = false;  // a stop request does not end this check
  mod.SetProgress(&progress);
  EXPECT_EQ(16, mod.CountMissingComServers());
  // 20 classes and 17 kept paths: two reports, then one more.
  EXPECT_EQ(3u, progress.steps.size());
  EXPECT_EQ(3, progress.ends);
}

TEST_F(StabilityCheck, InstallerFoldersAndComponentFiles) {
  m.files.AddFolder(L"C:\\Program Files\\Kept\\");
  m.registry.AddText(HKLM, kFolders, L"C:\\Program Files\\Kept\\", L"");
  m.registry.AddText(HKLM, kFolders, L"C:\\Program Files\\Gone\\", L"");       // counts
  m.registry.AddText(HKLM, kFolders, L"C:\\Program Files\\WithData\\", L"1");  // has data: skipped
  m.registry.AddNumber(HKLM, kFolders, L"C:\\Program Files\\Number\\");        // not text
  EXPECT_EQ(1, Module().CountMissingInstallerFolders());

  const std::wstring comp = kUserData + L"\\S-1-5-18\\Components\\ABC";
  m.files.AddFile(L"C:\\App\\here.exe", 1);
  m.registry.AddText(HKLM, comp, L"P1", L"C:\\App\\here.exe");
  m.registry.AddText(HKLM, comp, L"P2", L"C:\\App\\gone.exe");          // counts
  m.registry.AddText(HKLM, comp, L"P3", L"02:\\Software\\Key\\Value");  // a registry path
  m.registry.AddText(HKLM, comp, L"", L"C:\\App\\unnamed.exe");         // no name
  m.registry.AddText(HKLM, comp, L"P4", L"");                           // no data
  m.registry.AddText(HKLM, kUserData + L"\\S-1-5-21-1\\Components\\DEF", L"Q", L"D:\\lost.txt");  // counts
  m.registry.AddKey(HKLM, kUserData + L"\\S-1-5-21-2");  // a user without components
  EXPECT_EQ(2, Module().CountMissingComponentFiles());
}

TEST_F(StabilityCheck, UninstallLeftoversAreMatchedInEitherView) {
  m.registry.AddKey(HKLM, kArpCache + L"\\In32");
  m.registry.AddKey(HKLM, kArpCache + L"\\In64");
  m.registry.AddKey(HKLM, kArpCache + L"\\Gone");   // counts
  m.registry.AddKey(HKLM, kArpCache + L"\\Mixed");  // case differs: counts
  m.registry.AddText(HKLM, kUninstall + L"\\MIXED", L"DisplayName", L"C", V32);
  m.registry.AddText(HKLM, kUninstall + L"\\In32", L"DisplayName", L"A", V32);
  m.registry.AddText(HKLM, kUninstall + L"\\In64", L"DisplayName", L"B", V64);
  m.registry.AddKey(HKLM, kUninstall + L"\\Hollow", V64);  // no values: counts
  EXPECT_EQ(3, Module().CountUninstallLeftovers());
}

TEST_F(StabilityCheck, ChecksAddUpInAnimatedSteps) {
  for (int i = 0; i < 3; ++i) m.registry.AddKey(HKCU, kFileExts + L"\\.e" + std::to_wstring(i));  // A = 3
  m.registry.AddNumber(HKLM, kSharedDlls, L"C:\\x\\a.dll");
  m.registry.AddNumber(HKLM, kSharedDlls, L"C:\\x\\b.dll");  // B = 2
  for (int i = 0; i < 6; ++i)
    AddClass(L"{" + std::to_wstring(i) + L"}", L"C:\\y\\c" + std::to_wstring(i) + L".dll");
  m.registry.AddText(HKLM, kFolders, L"C:\\gone\\", L"");                                        // D = 1
  for (int i = 0; i < 3; ++i) m.registry.AddKey(HKLM, kArpCache + L"\\P" + std::to_wstring(i));  // F = 3
  CZevCheck_SystemTweak& mod = Module();
  Recorder progress;
  mod.SetProgress(&progress);
  mod.Check();
  CZevCheckResult* r = mod.Result();
  ASSERT_EQ(3, r->GetChildCount());
  EXPECT_EQ(L"Invalid program shortcuts: 3", Title(r->GetChild(0)));
  EXPECT_EQ(L"Shared (missing) dll's: 2", Title(r->GetChild(1)));
  EXPECT_EQ(L"Obsolete software references: 10", Title(r->GetChild(2)));
  EXPECT_DOUBLE_EQ(3, r->GetChild(0)->GetValue());
  EXPECT_DOUBLE_EQ(2, r->GetChild(1)->GetValue());
  EXPECT_DOUBLE_EQ(10, r->GetChild(2)->GetValue());
  EXPECT_EQ(L"Registry errors:", r->Title());
  EXPECT_DOUBLE_EQ(15, r->GetValue());
  EXPECT_EQ(15, r->GetCount());
  EXPECT_EQ(L"15", r->CountText());
  // A, B, C, D and F rise over 3000 ms each: 3, 2, 6, 1 and 3 steps.
  std::vector<int> expected;
  for (int steps : {3, 2, 6, 1, 3})
    for (int i = 0; i < steps; ++i) expected.push_back(3000 / steps);
  EXPECT_EQ(expected, pauses);
  EXPECT_EQ((std::vector<double>{0, 33, 66, 100}), progress.steps);
  EXPECT_DOUBLE_EQ(100.0, mod.ProgressPosition());
}

TEST_F(StabilityCheck, AStopAtAStageKeepsWhatWasFound) {
  m.registry.AddKey(HKCU, kFileExts + L"\\.e");
  CZevCheck_SystemTweak& mod = Module();
  Recorder progress;
  progress.stopAt = 33;
  mod.SetProgress(&progress);
  mod.Check();
  EXPECT_EQ(1, mod.Result()->GetChildCount());
  EXPECT_EQ(1, mod.Result()->GetCount());
  EXPECT_EQ((std::vector<double>{0, 33}), progress.steps);
  EXPECT_EQ(1, progress.ends);
}
