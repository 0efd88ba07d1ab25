// The scan checks' Windows sources against a throw-away Wine prefix (or a
// Windows test machine): each test seeds the registry keys, files, shortcuts
// and work items it needs and removes them again.
#include <windows.h>

#include <initguid.h>
#include <mstask.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quillon/engine/ProcessDatabase.h"
#include "quillon/engine/TextCodec.h"
#include "quillon/engine/ZevCheck_Security.h"
#include "quillon/engine/ZevCheck_SpeedUp.h"
#include "quillon/engine/ZevCheck_SystemTweak.h"
#include "quillon/engine/win32/Win32ScanSources.h"
#include "quillon/engine/win32/Win32TaskSource.h"
#include "quillon/engine/win32/Win32WmiSource.h"
#include "quillon/services/win32/Shortcut.h"

namespace {

const wchar_t kRun[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// A registry key made for a test and deleted (with its tree) afterwards.
class SeededKey {
 public:
  SeededKey(HKEY root, const std::wstring& path, REGSAM view = KEY_WOW64_32KEY)
      : root_(root), path_(path), view_(view) {
    RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key_, nullptr);
  }
  ~SeededKey() {
    if (key_) RegCloseKey(key_);
    const size_t slash = path_.rfind(L'\\');
    HKEY parent = nullptr;
    if (RegOpenKeyExW(root_, path_.substr(0, slash).c_str(), 0, KEY_ALL_ACCESS | view_, &parent) ==
        ERROR_SUCCESS) {
      RegDeleteTreeW(parent, path_.substr(slash + 1).c_str());
      RegCloseKey(parent);
    }
  }
  SeededKey(const SeededKey&) = delete;
  SeededKey& operator=(const SeededKey&) = delete;

  void Text(const std::wstring& name, const std::wstring& data, DWORD type = REG_SZ) {
    RegSetValueExW(key_, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  }
  void Number(const std::wstring& name, DWORD value) {
    RegSetValueExW(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  bool ok() const { return key_ != nullptr; }

 private:
  HKEY root_;
  std::wstring path_;
  REGSAM view_;
  HKEY key_ = nullptr;
};

// A fresh folder under the system temporary folder, removed with its content.
class TempTree {
 public:
  TempTree() {
    wchar_t base[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, base);
    root_ = std::wstring(base) + L"quillon-scan-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount());
    CreateDirectoryW(root_.c_str(), nullptr);
  }
  ~TempTree() { RemoveTree(root_); }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::wstring& root() const { return root_; }
  std::wstring File(const std::wstring& relative, size_t size) {
    const std::wstring path = root_ + L"\\" + relative;
    MakeParents(path);
    WriteSized(path, size);
    return path;
  }
  static void WriteSized(const std::wstring& path, size_t size) {
    HANDLE h =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string bytes(size, 'q');
    DWORD written = 0;
    if (size) WriteFile(h, bytes.data(), static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(h);
  }
  static void MakeParents(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
      CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(path);
        } else {
          SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW(path.c_str());
        }
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
  }

 private:
  std::wstring root_;
};

// A ".job" work item made through the scheduler and deleted afterwards.
class SeededTask {
 public:
  SeededTask(const std::wstring& name, const std::wstring& program, WORD triggerType) : name_(name) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                reinterpret_cast<void**>(&scheduler_))))
      return;
    scheduler_->Delete(name.c_str());
    ITask* task = nullptr;
    if (FAILED(scheduler_->NewWorkItem(name.c_str(), CLSID_CTask, IID_ITask,
                                       reinterpret_cast<IUnknown**>(&task))))
      return;
    task->SetApplicationName(program.c_str());
    task->SetAccountInformation(L"", nullptr);
    WORD index = 0;
    ITaskTrigger* trigger = nullptr;
    if (SUCCEEDED(task->CreateTrigger(&index, &trigger))) {
      TASK_TRIGGER data = {};
      data.cbTriggerSize = sizeof data;
      data.wBeginYear = 2020;
      data.wBeginMonth = 1;
      data.wBeginDay = 1;
      data.wStartHour = 3;
      data.TriggerType = static_cast<TASK_TRIGGER_TYPE>(triggerType);
      if (triggerType == TASK_TIME_TRIGGER_DAILY) data.Type.Daily.DaysInterval = 1;
      trigger->SetTrigger(&data);
      trigger->Release();
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(task->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      saved_ = SUCCEEDED(file->Save(nullptr, TRUE));
      file->Release();
    }
    task->Release();
  }
  ~SeededTask() {
    if (scheduler_) {
      scheduler_->Delete(name_.c_str());
      scheduler_->Release();
    }
    CoUninitialize();
  }
  SeededTask(const SeededTask&) = delete;
  SeededTask& operator=(const SeededTask&) = delete;
  bool saved() const { return saved_; }

 private:
  std::wstring name_;
  ITaskScheduler* scheduler_ = nullptr;
  bool saved_ = false;
};

}  // namespace

TEST(ScanWin32Registry, ReadsKeysValuesAndViews) {
  Win32RegistrySource reg;
  const std::wstring path = L"Software\\QuillonScanTest";
  {
    SeededKey key(HKEY_CURRENT_USER, path + L"\\Child");
    SeededKey parent(HKEY_CURRENT_USER, path);
    parent.Text(L"Text", L"C:\\a b\\c.exe");
    parent.Text(L"Expand", L"%windir%\\x.dll", REG_EXPAND_SZ);
    parent.Number(L"Number", 7);
    parent.Text(L"", L"default");
    std::vector<std::wstring> names;
    ASSERT_TRUE(reg.Subkeys(RegistryHive::CurrentUser, path, RegistryView::Bits32, names));
    EXPECT_EQ(std::vector<std::wstring>{L"Child"}, names);
    std::vector<RegistryValue> values;
    ASSERT_TRUE(reg.Values(RegistryHive::CurrentUser, path, RegistryView::Bits32, values));
    ASSERT_EQ(4u, values.size());
    std::wstring text;
    EXPECT_TRUE(reg.ReadText(RegistryHive::CurrentUser, path, L"Text", RegistryView::Bits32, text));
    EXPECT_EQ(L"C:\\a b\\c.exe", text);
    EXPECT_TRUE(reg.ReadText(RegistryHive::CurrentUser, path, L"Expand", RegistryView::Bits64, text));
    EXPECT_EQ(L"%windir%\\x.dll", text);  // expanded later, by the check
    EXPECT_FALSE(reg.ReadText(RegistryHive::CurrentUser, path, L"Number", RegistryView::Bits32, text));
    EXPECT_FALSE(reg.ReadText(RegistryHive::CurrentUser, path, L"Missing", RegistryView::Bits32, text));
  }
  EXPECT_FALSE(reg.KeyExists(RegistryHive::CurrentUser, path, RegistryView::Bits32));

  // Under HKLM\Software the two views are apart on 64-bit Windows.
  SeededKey only64(HKEY_LOCAL_MACHINE, L"SOFTWARE\\QuillonScanTest64", KEY_WOW64_64KEY);
  ASSERT_TRUE(only64.ok());
  EXPECT_TRUE(
      reg.KeyExists(RegistryHive::LocalMachine, L"SOFTWARE\\QuillonScanTest64", RegistryView::Bits64));
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  const bool is64 = sizeof(void*) == 8 || wow64;
  EXPECT_EQ(!is64,
            reg.KeyExists(RegistryHive::LocalMachine, L"SOFTWARE\\QuillonScanTest64", RegistryView::Bits32));
}

TEST(ScanWin32Files, ListsMeasuresAndReadsSharedFiles) {
  TempTree tree;
  tree.File(L"a.txt", 10);
  tree.File(L"sub\\b.dat", 20);
  tree.File(L"sub\\deeper\\c.bin", 30);
  Win32FileSource files;
  std::vector<std::wstring> names;
  ASSERT_TRUE(files.ListFolder(tree.root(), [&](const FolderEntry& e) { names.push_back(e.name); }));
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::wstring>{L"a.txt", L"sub"}), names);
  uint64_t length = 0;
  // Shared reading: a file another program holds open for writing still counts.
  HANDLE held = CreateFileW((tree.root() + L"\\a.txt").c_str(), GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_TRUE(files.FileLength(tree.root() + L"\\a.txt", length));
  EXPECT_EQ(10u, length);
  std::string bytes;
  EXPECT_TRUE(files.ReadAll(tree.root() + L"\\a.txt", bytes));
  EXPECT_EQ(std::string(10, 'q'), bytes);
  CloseHandle(held);
  EXPECT_FALSE(files.FileLength(tree.root() + L"\\sub", length));
  EXPECT_FALSE(files.ListFolder(tree.root() + L"\\missing", [](const FolderEntry&) {}));
}

TEST(ScanWin32Shell, ShipsTheProcessDatabaseAndResolvesShortcuts) {
  TempTree tree;
  Win32ShellSource shell;
  Win32FileSource files;
  const std::wstring db = tree.root() + L"\\process.dat";
  ASSERT_TRUE(shell.WriteProcessDatabase(db));
  ProcessDatabase database(db, files, shell.ProgramFolder());
  ASSERT_TRUE(database.Load());
  EXPECT_EQ(432u, database.FileCount());
  EXPECT_EQ(386u, database.ServiceCount());

  const std::wstring program = tree.File(L"Program\\tool.exe", 5);
  const std::wstring lnk = tree.root() + L"\\tool.lnk";
  ASSERT_HRESULT_SUCCEEDED(CreateShortcut(program, L"-x", lnk, 0, L"", L"", 0));
  std::wstring target;
  ASSERT_TRUE(shell.ResolveShortcut(lnk, target));
  EXPECT_EQ(UpperText(program), UpperText(target));
  EXPECT_FALSE(shell.ResolveShortcut(tree.root() + L"\\none.lnk", target));
  EXPECT_FALSE(shell.SpecialFolder(CSIDL_STARTUP).empty());
  EXPECT_FALSE(shell.TempFolder().empty());
  EXPECT_NE(L'\\', shell.TempFolder().back());
  EXPECT_EQ(L"C:\\Windows", shell.ExpandEnvironment(L"%SystemRoot%").substr(0, 2) + L"\\Windows");
}

TEST(ScanWin32Wmi, ServicesAreListedAndAMissingClassIsNoRows) {
  Win32WmiSource wmi;
  ASSERT_TRUE(wmi.Connect());
  std::vector<WmiRow> rows;
  ASSERT_TRUE(wmi.Query(L"SELECT * FROM Win32_Service", rows));
  ASSERT_FALSE(rows.empty());
  EXPECT_FALSE(WmiRowText(rows[0], L"Name").empty());
  EXPECT_FALSE(WmiRowText(rows[0], L"StartMode").empty());
  rows.clear();
  if (!wmi.Query(L"SELECT * FROM Win32_NoSuchClassHere", rows)) {
    EXPECT_TRUE(rows.empty());
  }
}

TEST(ScanWin32Speed, SeededStartupEntriesAreFoundOnce) {
  TempTree tree;
  Win32ShellSource shell;
  const std::wstring startup = shell.SpecialFolder(CSIDL_STARTUP);
  ASSERT_FALSE(startup.empty());
  TempTree::MakeParents(startup + L"\\x");
  CreateDirectoryW(startup.c_str(), nullptr);

  const std::wstring quoted = tree.File(L"My Tools\\quoted.exe", 11);
  const std::wstring library = tree.File(L"Lib\\helper.dll", 12);
  const std::wstring linked = tree.File(L"Linked\\linked.exe", 13);
  const std::wstring daily = tree.File(L"Tasks\\daily.exe", 14);
  const std::wstring logon = tree.File(L"Tasks\\logon.exe", 15);

  SeededKey run(HKEY_CURRENT_USER, kRun);
  run.Text(L"QuillonQuoted", L"\"" + quoted + L"\" -tray");
  run.Text(L"QuillonRundll", L"RUNDLL32.EXE " + library + L",Start");
  run.Text(L"QuillonGone", L"\"" + tree.root() + L"\\gone.exe\" -x");
  const std::wstring lnk1 = startup + L"\\quillon-test-1.lnk";
  const std::wstring lnk2 = startup + L"\\quillon-test-2.lnk";
  ASSERT_HRESULT_SUCCEEDED(CreateShortcut(linked, L"", lnk1, 0, L"", L"", 0));
  ASSERT_HRESULT_SUCCEEDED(CreateShortcut(linked, L"", lnk2, 0, L"", L"", 0));
  const std::wstring ini = startup + L"\\desktop.ini";
  const bool hadIni = GetFileAttributesW(ini.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (!hadIni) TempTree::WriteSized(ini, 8);
  SeededTask dailyTask(L"QuillonDaily", daily, TASK_TIME_TRIGGER_DAILY);
  SeededTask logonTask(L"QuillonLogon", logon, TASK_EVENT_TRIGGER_AT_LOGON);

  CZevCheck_SpeedUp module(Win32ScanSources());
  module.Result()->SetSleepFunction([](int) {});
  module.Check();

  std::vector<std::wstring> targets;
  for (const auto& e : module.Startup()->Entries()) targets.push_back(UpperText(e->target));
  auto count = [&](const std::wstring& path) {
    return std::count(targets.begin(), targets.end(), UpperText(path));
  };
  EXPECT_EQ(1, count(quoted));
  EXPECT_EQ(1, count(library));
  EXPECT_EQ(1, count(linked));  // two shortcuts, one entry
  EXPECT_EQ(0, count(daily));
  EXPECT_EQ(0, count(ini));
  if (logonTask.saved()) {
    // The work item counts when the scheduler hands out every property of it.
    ScheduledTask seen;
    Win32TaskSource tasks;
    tasks.EnumerateTasks([&](const ScheduledTask& t) {
      if (t.name == L"QuillonLogon") seen = t;
    });
    ASSERT_EQ(std::vector<int>{TASK_EVENT_TRIGGER_AT_LOGON}, seen.triggerTypes);
    EXPECT_EQ(seen.readable ? 1 : 0, count(logon));
  }
  // None of the seeded programs is listed as needed: each one counts.
  EXPECT_GE(module.Startup()->GetUnnecessaryCount(), 3);
  EXPECT_DOUBLE_EQ(std::min(100.0, module.Startup()->GetUnnecessaryCount() * 20.0),
                   module.Result()->GetChild(0)->GetValue());

  DeleteFileW(lnk1.c_str());
  DeleteFileW(lnk2.c_str());
  if (!hadIni) DeleteFileW(ini.c_str());
}

TEST(ScanWin32Speed, AServiceAgainstTheAdviceAddsOne) {
  auto optimizable = [] {
    Win32FileSource files;
    Win32ShellSource shell;
    TempTree tree;
    shell.WriteProcessDatabase(tree.root() + L"\\process.dat");
    ProcessDatabase db(tree.root() + L"\\process.dat", files, shell.ProgramFolder());
    ServiceScanner scanner(&db, Win32ScanSources());
    scanner.Scan();
    return scanner.GetOptimizableCount();
  };
  const int before = optimizable();
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  ASSERT_NE(nullptr, manager);
  // Advised to start automatically (handling 3), installed to start on demand.
  SC_HANDLE service =
      CreateServiceW(manager, L"IAANTMON", L"Quillon test service", SERVICE_ALL_ACCESS,
                     SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                     L"C:\\windows\\system32\\notepad.exe", nullptr, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, service);
  const int after = optimizable();
  DeleteService(service);
  CloseServiceHandle(service);
  CloseServiceHandle(manager);
  EXPECT_EQ(before + 1, after);
}

TEST(ScanWin32Stability, SeededRegistryProblemsAreCounted) {
  Win32ScanSources();
  CZevCheck_SystemTweak module(Win32ScanSources());
  const int a = module.CountEmptyFileTypes(), b = module.CountMissingSharedDlls(),
            c = module.CountMissingComServers(), d = module.CountMissingInstallerFolders(),
            e = module.CountMissingComponentFiles(), f = module.CountUninstallLeftovers();
  TempTree tree;
  const std::wstring present = tree.File(L"present.dll", 1);
  const std::wstring v = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";
  {
    SeededKey emptyType(HKEY_CURRENT_USER, v + L"Explorer\\FileExts\\.quillonempty");
    SeededKey emptyList(HKEY_CURRENT_USER, v + L"Explorer\\FileExts\\.quillonempty\\OpenWithList");
    SeededKey usedType(HKEY_CURRENT_USER, v + L"Explorer\\FileExts\\.quillonused");
    SeededKey usedList(HKEY_CURRENT_USER, v + L"Explorer\\FileExts\\.quillonused\\OpenWithList");
    usedList.Text(L"a", L"notepad.exe");
    SeededKey shared(HKEY_LOCAL_MACHINE, v + L"SharedDlls");
    shared.Number(tree.root() + L"\\missing.dll", 1);
    shared.Number(present, 1);
    shared.Number(tree.root() + L"\\MISSING2.DLL", 1);  // upper-case extension: not examined
    SeededKey comClass(HKEY_CLASSES_ROOT, L"CLSID\\{5C1D0A00-0000-4000-8000-00000000C0DE}");
    SeededKey com(HKEY_CLASSES_ROOT, L"CLSID\\{5C1D0A00-0000-4000-8000-00000000C0DE}\\InprocServer32");
    com.Text(L"", L"%SystemRoot%\\system32\\quillon-missing.dll", REG_EXPAND_SZ);
    SeededKey folders(HKEY_LOCAL_MACHINE, v + L"Installer\\Folders");
    folders.Text(tree.root() + L"\\gone\\", L"");
    folders.Text(tree.root() + L"\\", L"");
    SeededKey component(HKEY_LOCAL_MACHINE, v + L"Installer\\UserData\\S-1-5-18\\Components\\QUILLONTEST");
    component.Text(L"ABC", tree.root() + L"\\gone.exe");
    component.Text(L"DEF", present);
    SeededKey cached(HKEY_LOCAL_MACHINE, v + L"App Management\\ARPCache\\QuillonLeftover");
    SeededKey cachedKnown(HKEY_LOCAL_MACHINE, v + L"App Management\\ARPCache\\QuillonKnown");
    SeededKey known(HKEY_LOCAL_MACHINE, v + L"Uninstall\\QuillonKnown", KEY_WOW64_64KEY);
    known.Text(L"DisplayName", L"Known");
    SeededKey hollow(HKEY_LOCAL_MACHINE, v + L"Uninstall\\QuillonHollow");

    EXPECT_EQ(a + 1, module.CountEmptyFileTypes());
    EXPECT_EQ(b + 1, module.CountMissingSharedDlls());
    EXPECT_EQ(c + 1, module.CountMissingComServers());
    EXPECT_EQ(d + 1, module.CountMissingInstallerFolders());
    EXPECT_EQ(e + 1, module.CountMissingComponentFiles());
    EXPECT_EQ(f + 2, module.CountUninstallLeftovers());
  }
  EXPECT_EQ(a, module.CountEmptyFileTypes());
  EXPECT_EQ(c, module.CountMissingComServers());
  EXPECT_EQ(f, module.CountUninstallLeftovers());
}

TEST(ScanWin32Privacy, SeededBrowserFilesAndJunkAreCounted) {
  Win32ShellSource shell;
  auto run = [] {
    auto module = std::make_unique<CZevCheck_Security>(Win32ScanSources());
    module->Result()->SetSleepFunction([](int) {});
    module->Check();
    return module;
  };
  const auto before = run();
  const int beforeCount = before->Result()->GetCount();
  const std::wstring cache = shell.SpecialFolder(CSIDL_INTERNET_CACHE) + L"\\Content.IE5\\QUILLON1";
  const std::wstring cookies = shell.SpecialFolder(CSIDL_COOKIES);
  const std::wstring history = shell.SpecialFolder(CSIDL_HISTORY) + L"\\History.IE5\\QuillonTest";
  ASSERT_FALSE(cookies.empty());
  std::vector<std::wstring> made;
  for (int i = 0; i < 1001; ++i) {  // two more issues: ceiling(1001 / 1000)
    made.push_back(cache + L"\\f" + std::to_wstring(i) + L".htm");
    TempTree::MakeParents(made.back());
    TempTree::WriteSized(made.back(), 1);
  }
  for (const wchar_t* name : {L"quillon@a.txt", L"quillon@b.TXT", L"quillon-index.dat"}) {
    made.push_back(cookies + L"\\" + name);
    TempTree::MakeParents(made.back());
    TempTree::WriteSized(made.back(), 1);
  }
  for (const wchar_t* name : {L"QuillonDATx.bin", L"quillon.txt"}) {
    made.push_back(history + L"\\" + name);
    TempTree::MakeParents(made.back());
    TempTree::WriteSized(made.back(), 1);
  }
  const auto after = run();
  for (const auto& p : made) DeleteFileW(p.c_str());
  RemoveDirectoryW(cache.c_str());
  RemoveDirectoryW(history.c_str());
  // Cache 1001 more files -> +1 or +2 issues depending on what was there;
  // cookies +2, history +1.
  const int added = after->Result()->GetCount() - beforeCount;
  EXPECT_GE(added, 4);
  EXPECT_LE(added, 5);
}

// Each module end to end on this machine's sources, without the animation
// pauses; the scan work of each is recorded (not judged) as a test property.
TEST(ScanWin32Modules, EachRunsThroughOnThisMachine) {
  const struct {
    const char* name;
    std::function<CZevCheck*()> make;
    int children;
  } modules[] = {
      {"speed", [] { return new CZevCheck_SpeedUp(Win32ScanSources()); }, 2},
      {"stability", [] { return new CZevCheck_SystemTweak(Win32ScanSources()); }, 3},
      {"privacy", [] { return new CZevCheck_Security(Win32ScanSources()); }, -1},
  };
  for (const auto& m : modules) {
    std::unique_ptr<CZevCheck> module(m.make());
    module->Result()->SetSleepFunction([](int) {});
    const DWORD start = GetTickCount();
    module->Check();
    const DWORD elapsed = GetTickCount() - start;
    ::testing::Test::RecordProperty(std::string(m.name) + "_ms", static_cast<int>(elapsed));
    std::printf("%s check: %lu ms\n", m.name, static_cast<unsigned long>(elapsed));
    CZevCheckResult* r = module->Result();
    if (m.children >= 0) {
      EXPECT_EQ(m.children, r->GetChildCount()) << m.name;
    } else {
      EXPECT_GE(r->GetChildCount(), 2) << m.name;
    }
    EXPECT_EQ(std::to_wstring(r->GetCount()), r->CountText()) << m.name;
    EXPECT_GE(r->GetValue(), 0.0);
    EXPECT_LE(r->GetValue(), 100.0);
  }
}
