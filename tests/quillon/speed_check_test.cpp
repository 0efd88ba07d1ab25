#include <gtest/gtest.h>

#include "quillon/engine/ZevCheck_SpeedUp.h"
#include "quillon/services/Md5.h"
#include "scan_fakes.h"

namespace {

using scanfake::FakeMachine;
const RegistryHive HKLM = RegistryHive::LocalMachine;
const RegistryHive HKCU = RegistryHive::CurrentUser;
const std::wstring kRun = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::wstring kStartupQuery = L"SELECT * FROM Win32_StartupCommand";
const std::wstring kServiceQuery = L"SELECT * FROM Win32_Service";

std::string File(const char* name, int important) {
  return std::string("<process_info type=\"file\"><meta><is_important>") + std::to_string(important) +
         "</is_important></meta><technical><filename>" + name + "</filename></technical></process_info>\n";
}
std::string Service(const char* name, int handling) {
  return std::string("<process_info type=\"service\"><meta><handling>") + std::to_string(handling) +
         "</handling></meta><technical><servicename>" + name + "</servicename></technical></process_info>\n";
}

class SpeedCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    scanfake::UseEnglishTexts();
    m.shell.database = "\xEF\xBB\xBF<processdb>\n" + File("svchost.exe", 1) + File("guard.exe", 1) +
                       File("helper.exe", 0) + Service("EVENTLOG", 3) + Service("BITS", 0) +
                       Service("FAX", 1) + Service("WSEARCH", 2) + Service("SPOOLER", 3) + "</processdb>\n";
    m.shell.folders[StartupScanner::kStartupFolder] = L"C:\\Users\\u\\Start Menu\\Programs\\Startup";
    m.shell.folders[StartupScanner::kCommonStartupFolder] = L"C:\\ProgramData\\Start Menu\\Programs\\Startup";
    m.shell.environment[L"WINDIR"] = L"C:\\Windows";
    m.shell.environment[L"PROGRAMFILES"] = L"C:\\Program Files";
    m.wmi->rows[kServiceQuery];  // the class exists, with no rows yet
  }

  CZevCheck_SpeedUp& Run() {
    module.reset(new CZevCheck_SpeedUp(m.Sources()));
    module->Result()->SetSleepFunction([](int) {});
    module->Check();
    return *module;
  }

  std::vector<std::wstring> Targets() const {
    std::vector<std::wstring> out;
    for (const auto& e : module->Startup()->Entries()) out.push_back(e->target);
    return out;
  }

  void AddService(const std::wstring& name, const std::wstring& mode) {
    m.wmi->Add(kServiceQuery, {{L"Name", name}, {L"StartMode", mode}});
  }

  static std::wstring Title(const IResult* r) {
    return FetchText([&](wchar_t* b, int n) { return r->GetTitle(b, n); });
  }

  FakeMachine m;
  std::unique_ptr<CZevCheck_SpeedUp> module;
};

}  // namespace

TEST_F(SpeedCheck, CommandLinesResolveToTheProgramTheyStart) {
  m.files.AddFile(L"C:\\Program Files\\Tool\\tool.exe", 10);
  m.files.AddFile(L"C:\\Program Files\\My App\\app.exe", 10);
  m.files.AddFile(L"C:\\Windows\\system32\\shell.dll", 10);
  m.files.AddFile(L"C:\\Lib\\x.dll", 10);
  m.shell.shortcuts[L"C:\\LINKS\\TOOL.LNK"] = L"C:\\Program Files\\Tool\\tool.exe";
  const struct {
    const wchar_t* command;
    const wchar_t* resolved;
  } cases[] = {
      {L"\"C:\\Program Files\\Tool\\tool.exe\" -minimized", L"C:\\Program Files\\Tool\\tool.exe"},
      {L"\"C:\\Program Files\\My App\\app.exe\" /config C:\\app.ini", L"C:\\Program Files\\My App\\app.exe"},
      {L"C:\\Program Files\\My App\\app.exe /tray", L"C:\\Program Files\\My App\\app.exe"},
      {L"%ProgramFiles%\\Tool\\tool.exe", L"C:\\Program Files\\Tool\\tool.exe"},
      {L"%PROGRAMFILES%\\Tool\\tool.exe", L"C:\\Program Files\\Tool\\tool.exe"},
      {L"rundll32.exe C:\\Lib\\x.dll,Start", L"C:\\Lib\\x.dll"},
      {L"C:\\Windows\\system32\\RunDll32.EXE \"%windir%\\system32\\shell.dll\",Control_RunDLL",
       L"C:\\Windows\\system32\\shell.dll"},
      {L"\"C:\\Links\\tool.lnk\"", L"C:\\Program Files\\Tool\\tool.exe"},
      {L"  \"C:\\Lib\\x.dll\"  ", L"C:\\Lib\\x.dll"},
      {L"run C:\\Lib\\x.dll", L"C:\\Lib\\x.dll"},               // found as a suffix
      {L"C:\\Nowhere\\gone.exe -a", L"C:\\Nowhere\\gone.exe"},  // nothing found: the text stays
  };
  StartupScanner scanner(nullptr, m.Sources());
  for (const auto& c : cases) EXPECT_EQ(c.resolved, scanner.ResolveCommandLine(c.command)) << c.command;
}

TEST_F(SpeedCheck, IdentityIsTheHashOfTheUpperCasedPathAndLength) {
  EXPECT_EQ(Md5Hex("C:\\A\\TOOL.EXE_1234"), StartupScanner::Identity(L"c:\\a\\Tool.exe", 1234));
  EXPECT_EQ(Md5Hex("C:\\BIG_-1"), StartupScanner::Identity(L"C:\\big", 0x1FFFFFFFFull));  // "%d" of 64 bits
}

TEST_F(SpeedCheck, WmiLocationsNameTheHiveAndKey) {
  const struct {
    const wchar_t* location;
    bool accepted;
    RegistryHive hive;
    const wchar_t* key;
  } cases[] = {
      {L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", true, HKLM, kRun.c_str()},
      {L"HKU\\S-1-5-21-1\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", true, HKCU, kRun.c_str()},
      {L" HKEY_CURRENT_USER \\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", true, HKCU,
       L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
      {L"HKEY_CLASSES_ROOT\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", true,
       RegistryHive::ClassesRoot, kRun.c_str()},
      {L"Startup", false, HKLM, L""},
      {L"Common Startup", false, HKLM, L""},
  };
  for (const auto& c : cases) {
    StartupEntry e;
    EXPECT_EQ(c.accepted, StartupScanner::EntryFromWmiLocation(c.location, L"Tool", e)) << c.location;
    if (!c.accepted) continue;
    EXPECT_EQ(c.hive, e.hive) << c.location;
    EXPECT_EQ(c.key, e.keyPath) << c.location;
    EXPECT_EQ(L"Tool", e.valueName);
    EXPECT_EQ(RegistryView::Bits32, e.view);
  }
}

TEST_F(SpeedCheck, StartupSourcesAreReadValidatedAndCountedOnce) {
  const std::wstring startup = L"C:\\Users\\u\\Start Menu\\Programs\\Startup";
  m.files.AddFile(L"C:\\Windows\\system32\\svchost.exe", 20);
  m.files.AddFile(L"C:\\Program Files\\Guard\\guard.exe", 30);
  m.files.AddFile(L"C:\\Program Files\\Helper\\helper.exe", 40);
  m.files.AddFile(L"C:\\Program Files\\Other\\other.exe", 50);
  m.files.AddFile(L"C:\\Tasks\\daily.exe", 60);
  m.files.AddFile(L"C:\\Tasks\\logon.exe", 70);
  // Run keys: a quoted path with an argument (important), a program seen
  // again through WMI (counts once), a missing program and an empty value.
  m.registry.AddText(HKLM, kRun, L"Guard", L"\"C:\\Program Files\\Guard\\guard.exe\" /background");
  m.registry.AddText(HKCU, kRun, L"Helper", L"C:\\Program Files\\Helper\\helper.exe", RegistryView::Bits64);
  m.registry.AddText(HKCU, kRun, L"Helper", L"C:\\Program Files\\Helper\\helper.exe");
  m.registry.AddText(HKLM, kRun, L"Gone", L"C:\\Gone\\gone.exe");
  m.registry.AddText(HKLM, kRun, L"Empty", L"");
  m.wmi->Add(kStartupQuery,
             {{L"Location", L"HKU\\S-1-5-21-1\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
              {L"Name", L"Helper"},
              {L"Command", L"helper.exe"}});
  m.wmi->Add(kStartupQuery, {{L"Location", L"Startup"}, {L"Name", L"other"}, {L"Command", L"other.lnk"}});
  // Startup folder: two shortcuts to one program, a broken shortcut, desktop.ini.
  m.files.AddFile(startup + L"\\Other.lnk", 1);
  m.files.AddFile(startup + L"\\Other again.lnk", 1);
  m.files.AddFile(startup + L"\\Broken.lnk", 1);
  m.files.AddFile(startup + L"\\desktop.ini", 1);
  m.shell.shortcuts[UpperText(startup + L"\\Other.lnk")] = L"C:\\Program Files\\Other\\other.exe";
  m.shell.shortcuts[UpperText(startup + L"\\Other again.lnk")] = L"C:\\Program Files\\Other\\other.exe";
  // Tasks: a daily one does not start with Windows; a logon one does.
  ScheduledTask daily;
  daily.name = L"Daily";
  daily.triggerTypes = {1};
  daily.applicationName = L"C:\\Tasks\\daily.exe";
  ScheduledTask logon = daily;
  logon.name = L"AtLogon";
  logon.triggerTypes = {7, 1};
  logon.applicationName = L"C:\\Tasks\\logon.exe";
  ScheduledTask finished = logon;
  finished.name = L"Finished";
  finished.finished = true;
  ScheduledTask unreadable = logon;
  unreadable.name = L"Unreadable";
  unreadable.readable = false;
  ScheduledTask missing = logon;
  missing.name = L"Missing";
  missing.applicationName = L"C:\\Tasks\\missing.exe";
  m.tasks = {daily, logon, finished, unreadable, missing};

  CZevCheck_SpeedUp& mod = Run();
  // WMI first, then Run keys, folders and tasks; the duplicates are gone.
  EXPECT_EQ((std::vector<std::wstring>{L"C:\\Program Files\\Helper\\helper.exe",
                                       L"C:\\Program Files\\Guard\\guard.exe",
                                       L"C:\\Program Files\\Other\\other.exe", L"C:\\Tasks\\logon.exe"}),
            Targets());
  EXPECT_EQ(L"AtLogon.job", mod.Startup()->Entries().back()->task.name);
  EXPECT_EQ(7, mod.Startup()->Entries().back()->triggerType);
  // guard.exe is important; helper.exe (listed, not important), other.exe and
  // logon.exe (not listed) are not.
  EXPECT_EQ(3, mod.Startup()->GetUnnecessaryCount());
}

TEST_F(SpeedCheck, WithoutTheStartupCommandClassTheOtherSourcesStillCount) {
  m.wmi->rows.erase(kStartupQuery);
  m.files.AddFile(L"C:\\Program Files\\Helper\\helper.exe", 40);
  m.registry.AddText(HKLM, kRun, L"Helper", L"C:\\Program Files\\Helper\\helper.exe");
  EXPECT_EQ(1, Run().Startup()->GetUnnecessaryCount());
}

TEST_F(SpeedCheck, WithoutWmiNothingCounts) {
  m.wmi->connectFails = true;
  m.files.AddFile(L"C:\\Program Files\\Helper\\helper.exe", 40);
  m.registry.AddText(HKLM, kRun, L"Helper", L"C:\\Program Files\\Helper\\helper.exe");
  AddService(L"EVENTLOG", L"Manual");
  CZevCheck_SpeedUp& mod = Run();
  EXPECT_EQ(0, mod.Startup()->GetUnnecessaryCount());
  EXPECT_EQ(0, mod.Result()->GetCount());
  EXPECT_EQ(L"Unnecessary startup entries: 0", Title(mod.Result()->GetChild(0)));
}

TEST_F(SpeedCheck, ServicesCountWhenTheirModeDiffersFromTheAdvice) {
  const struct {
    const wchar_t* name;
    const wchar_t* mode;
    bool counts;
  } cases[] = {
      {L"EventLog", L"Manual", true},                                 // handling 3: automatic
      {L"EVENTLOG", L"Auto", false},  {L"BITS", L"Disabled", false},  // handling 0: no advice
      {L"FAX", L"Manual", true},                                      // handling 1: disabled
      {L"FAX", L"Disabled", false},   {L"WSEARCH", L"Auto", true},    // handling 2: manual
      {L"SPOOLER", L"Boot", false},                                   // boot and system modes never count
      {L"SPOOLER", L"System", false}, {L"UNKNOWN", L"Auto", false},   // not in the database
      {L"", L"Auto", false},
  };
  int expected = 0;
  for (const auto& c : cases) {
    AddService(c.name, c.mode);
    expected += c.counts;
  }
  CZevCheck_SpeedUp& mod = Run();
  EXPECT_EQ(L"Optimizable windows services: 3", Title(mod.Result()->GetChild(1)));
  EXPECT_EQ(expected, mod.Result()->GetCount());
}

TEST_F(SpeedCheck, ResultsCombineBothCounts) {
  for (const wchar_t* name : {L"a.exe", L"b.exe", L"c.exe"}) {
    m.files.AddFile(std::wstring(L"C:\\Apps\\") + name, 1);
    m.registry.AddText(HKLM, kRun, name, std::wstring(L"C:\\Apps\\") + name);
  }
  AddService(L"EVENTLOG", L"Manual");
  AddService(L"FAX", L"Auto");
  AddService(L"WSEARCH", L"Auto");
  AddService(L"SPOOLER", L"Disabled");
  CZevCheck_SpeedUp& mod = Run();
  CZevCheckResult* r = mod.Result();
  ASSERT_EQ(2, r->GetChildCount());
  EXPECT_EQ(L"Unnecessary startup entries: 3", Title(r->GetChild(0)));
  EXPECT_DOUBLE_EQ(60, r->GetChild(0)->GetValue());
  EXPECT_EQ(L"Optimizable windows services: 4", Title(r->GetChild(1)));
  EXPECT_DOUBLE_EQ(20, r->GetChild(1)->GetValue());
  EXPECT_EQ(L"Unnecessary startup entries and windows services:", r->Title());
  EXPECT_DOUBLE_EQ(38, r->GetValue());
  EXPECT_EQ(7, r->GetCount());
  EXPECT_EQ(L"7", r->CountText());
  // The database went to the temporary folder and was read from there.
  EXPECT_EQ(L"C:\\Temp\\process.dat", mod.Database()->Path());
}

TEST_F(SpeedCheck, WithoutADatabaseEveryStartupEntryCountsAndNoService) {
  m.shell.writeDatabase = false;  // and no process.dat beside the program
  m.files.AddFile(L"C:\\Windows\\system32\\svchost.exe", 20);
  m.registry.AddText(HKLM, kRun, L"Host", L"C:\\Windows\\system32\\svchost.exe -k x");
  AddService(L"EVENTLOG", L"Manual");
  CZevCheck_SpeedUp& mod = Run();
  EXPECT_EQ(L"C:\\Program Files\\quillon\\process.dat", mod.Database()->Path());
  EXPECT_EQ(L"Unnecessary startup entries: 1", Title(mod.Result()->GetChild(0)));
  EXPECT_EQ(L"Optimizable windows services: 0", Title(mod.Result()->GetChild(1)));

  // The copy beside the program is the fall-back.
  m.files.AddText(L"C:\\Program Files\\quillon\\process.dat", m.shell.database);
  mod.Check();
  EXPECT_EQ(L"Unnecessary startup entries: 0", Title(mod.Result()->GetChild(2)));
}
