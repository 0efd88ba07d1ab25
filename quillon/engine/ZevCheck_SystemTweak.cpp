#include "quillon/engine/ZevCheck_SystemTweak.h"

#include <set>
#include <vector>

#include "quillon/engine/TextCodec.h"
#include "quillon/engine/TextFormat.h"
#include "quillon/lang/Text.h"

namespace {

const RegistryView kView = RegistryView::Bits32;
const wchar_t kFileExts[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
const wchar_t kSharedDlls[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const wchar_t kInstallerFolders[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
const wchar_t kInstallerUserData[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData";
const wchar_t kArpCache[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";
const wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Only a path whose first ".dll" (lower case) ends it, and that has a folder.
bool IsLibraryPath(const std::wstring& path) {
  const size_t dll = path.find(L".dll");
  return dll != std::wstring::npos && dll + 4 == path.size() && path.find(L'\\') != std::wstring::npos;
}

// Appends names not seen before, keeping their first order.
void AddUnique(std::vector<std::wstring>& list, std::set<std::wstring>& seen, const std::wstring& name) {
  if (seen.insert(name).second) list.push_back(name);
}

}  // namespace

CZevCheck_SystemTweak::CZevCheck_SystemTweak(const ScanSources& sources)
    : CZevCheck(LoadText(146), LoadText(147), L"SYSTEMTWEAK"), sources_(sources) {}

bool CZevCheck_SystemTweak::IsMissing(const std::wstring& path) const {
  if (sources_.files->Exists(path)) return false;
  if (!sources_.shell->Is32BitProcessOn64BitWindows()) return true;
  const std::wstring upper = UpperText(path);
  if (upper.find(L"SYSTEM32") == std::wstring::npos) return true;
  return !sources_.files->Exists(ReplaceAll(upper, L"SYSTEM32", L"SYSNATIVE"));
}

int CZevCheck_SystemTweak::CountEmptyFileTypes() const {
  const IRegistrySource& reg = *sources_.registry;
  std::vector<std::wstring> names, extensions;
  std::set<std::wstring> seen;
  if (!reg.Subkeys(RegistryHive::CurrentUser, kFileExts, kView, names)) return 0;
  for (const auto& n : names) AddUnique(extensions, seen, n);
  int count = 0;
  for (const auto& ext : extensions) {
    const std::wstring path = std::wstring(kFileExts) + L"\\" + ext;
    std::vector<std::wstring> subkeys;
    if (!reg.Subkeys(RegistryHive::CurrentUser, path, kView, subkeys)) continue;
    bool empty = true;
    for (const auto& sub : subkeys) {
      std::vector<RegistryValue> values;
      if (reg.Values(RegistryHive::CurrentUser, path + L"\\" + sub, kView, values) && !values.empty()) {
        empty = false;
        break;
      }
    }
    if (empty) {
      std::vector<RegistryValue> own;
      if (reg.Values(RegistryHive::CurrentUser, path, kView, own) && !own.empty()) empty = false;
    }
    if (empty) ++count;
  }
  return count;
}

int CZevCheck_SystemTweak::CountMissingSharedDlls() const {
  std::vector<RegistryValue> values;
  if (!sources_.registry->Values(RegistryHive::LocalMachine, kSharedDlls, kView, values)) return 0;
  std::vector<std::wstring> paths;
  std::set<std::wstring> seen;
  for (const auto& v : values) {
    if (IsLibraryPath(v.name)) AddUnique(paths, seen, v.name);
  }
  int count = 0;
  for (const auto& p : paths) count += IsMissing(p) ? 1 : 0;
  return count;
}

int CZevCheck_SystemTweak::CountMissingComServers() {
  const IRegistrySource& reg = *sources_.registry;
  std::vector<std::wstring> classes;
  if (!reg.Subkeys(RegistryHive::ClassesRoot, L"CLSID", kView, classes)) return 0;
  // A stop request is passed on but does not end this check: the host sees it
  // at the next stage.
  std::vector<std::wstring> paths;
  std::set<std::wstring> seen;
  int visited = 0;
  for (const auto& cls : classes) {
    std::vector<RegistryValue> values;
    if (reg.Values(RegistryHive::ClassesRoot, L"CLSID\\" + cls + L"\\InprocServer32", kView, values) &&
        !values.empty() && values[0].isText) {
      std::wstring path = values[0].text;
      if (IsLibraryPath(path)) {
        if (path.find(L'%') != std::wstring::npos) path = sources_.shell->ExpandEnvironment(path);
        AddUnique(paths, seen, path);
      }
    }
    if (++visited % 10 == 0) ReportStep(ProgressPosition());
  }
  int count = 0;
  visited = 0;
  for (const auto& p : paths) {
    count += IsMissing(p) ? 1 : 0;
    if (++visited % 10 == 0) ReportStep(ProgressPosition());
  }
  return count;
}

int CZevCheck_SystemTweak::CountMissingInstallerFolders() const {
  std::vector<RegistryValue> values;
  if (!sources_.registry->Values(RegistryHive::LocalMachine, kInstallerFolders, kView, values)) return 0;
  int count = 0;
  for (const auto& v : values) {
    if (v.isText && v.text.empty() && !sources_.files->Exists(v.name)) ++count;
  }
  return count;
}

int CZevCheck_SystemTweak::CountMissingComponentFiles() const {
  const IRegistrySource& reg = *sources_.registry;
  std::vector<std::wstring> users;
  if (!reg.Subkeys(RegistryHive::LocalMachine, kInstallerUserData, kView, users)) return 0;
  int count = 0;
  for (const auto& user : users) {
    const std::wstring components = std::wstring(kInstallerUserData) + L"\\" + user + L"\\Components";
    std::vector<std::wstring> ids;
    if (!reg.Subkeys(RegistryHive::LocalMachine, components, kView, ids)) continue;
    for (const auto& id : ids) {
      std::vector<RegistryValue> values;
      if (!reg.Values(RegistryHive::LocalMachine, components + L"\\" + id, kView, values)) continue;
      for (const auto& v : values) {
        if (v.isText && !v.name.empty() && v.text.size() >= 3 && v.text.compare(1, 2, L":\\") == 0 &&
            !sources_.files->Exists(v.text))
          ++count;
      }
    }
  }
  return count;
}

int CZevCheck_SystemTweak::CountUninstallLeftovers() const {
  const IRegistrySource& reg = *sources_.registry;
  std::vector<std::wstring> cached;
  reg.Subkeys(RegistryHive::LocalMachine, kArpCache, kView, cached);
  int count = 0;
  std::set<std::wstring> registered;
  for (RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
    std::vector<std::wstring> entries;
    if (!reg.Subkeys(RegistryHive::LocalMachine, kUninstall, view, entries)) continue;
    for (const auto& entry : entries) {
      registered.insert(entry);
      std::vector<RegistryValue> values;
      if (reg.Values(RegistryHive::LocalMachine, std::wstring(kUninstall) + L"\\" + entry, view, values) &&
          values.empty())
        ++count;
    }
  }
  for (const auto& name : cached) {
    if (!registered.count(name)) ++count;
  }
  return count;
}

void CZevCheck_SystemTweak::Check() {
  SetProgressPosition(0);
  if (!BeginCheck(LoadText(175))) return;
  CZevCheckResult* result = Result();
  int total = 0;
  auto raise = [&](int by) {
    total += by;
    result->SetValueAndCount(total, total, 3000);
  };

  const int a = CountEmptyFileTypes();
  result->SetTitle(LoadText(164));
  raise(a);
  result->AddChild(CZevCheckResult::NewChild(FormatText(LoadText(149), {a}), a));

  SetProgressPosition(33.0);
  if (!ReportStep(33.0)) return;
  const int b = CountMissingSharedDlls();
  raise(b);
  result->AddChild(CZevCheckResult::NewChild(FormatText(LoadText(148), {b}), b));

  SetProgressPosition(66.0);
  if (!ReportStep(66.0)) return;
  const int c = CountMissingComServers();
  raise(c);
  const int d = CountMissingInstallerFolders();
  if (d > 0) raise(d);
  const int e = CountMissingComponentFiles();
  if (e > 0) raise(e);
  const int f = CountUninstallLeftovers();
  if (f > 0) raise(f);
  const int obsolete = c + d + e + f;
  result->AddChild(CZevCheckResult::NewChild(FormatText(LoadText(150), {obsolete}), obsolete));

  SetProgressPosition(100.0);
  FinishCheck();
}
