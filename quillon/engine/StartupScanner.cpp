#include "quillon/engine/StartupScanner.h"
#include "quillon/lang/TextEncoding.h"

#include <chrono>
#include <thread>

#include "quillon/engine/TextCodec.h"
#include "quillon/services/Md5.h"

namespace {

const wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kStartupQuery[] = L"SELECT * FROM Win32_StartupCommand";
const wchar_t kServiceQuery[] = L"SELECT * FROM Win32_Service";

bool EndsWithNoCase(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && EqualTextNoCase(text.substr(text.size() - end.size()), end);
}

bool NamesProgramOrLibrary(const std::wstring& path) {
  const std::wstring name = UpperText(FileNamePart(path));
  return name.find(L".EXE") != std::wstring::npos || name.find(L".DLL") != std::wstring::npos;
}

void WaitWhile(const std::atomic<bool>& flag) {
  while (flag.load()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

}  // namespace

StartupScanner::StartupScanner(ProcessDatabase* database, const ScanSources& sources)
    : database_(database), sources_(sources) {}

std::wstring StartupScanner::Identity(const std::wstring& target, uint64_t length) {
  // "%d" of a 64-bit length prints its low 32 bits as a signed number.
  const int32_t shown = static_cast<int32_t>(static_cast<uint32_t>(length & 0xFFFFFFFFu));
  return Md5Hex(Utf8FromWide(UpperText(target + L"_" + std::to_wstring(shown))));
}

void StartupScanner::Accept(StartupEntry& entry, const std::wstring& target) const {
  entry.target = target;
  entry.valid = false;
  if (target.empty() || !sources_.files->Exists(target)) return;
  uint64_t length = 0;
  if (!sources_.files->FileLength(target, length)) return;
  entry.fileName = FileNamePart(target);
  entry.identity = Identity(target, length);
  entry.valid = true;
}

std::wstring StartupScanner::ResolveCommandLine(const std::wstring& commandLine) const {
  const IFileSource& files = *sources_.files;
  const IShellSource& shell = *sources_.shell;
  // Arguments start at the first blank after the last dot (the extension).
  std::wstring text = commandLine;
  const size_t dot = text.rfind(L'.');
  if (dot != std::wstring::npos) {
    const size_t blank = text.find(L' ', dot);
    if (blank != std::wstring::npos) text.erase(blank);
  }
  text = TrimSpaces(ReplaceAll(text, L"\"", L""));
  if (EndsWithNoCase(text, L".lnk")) {
    std::wstring target;
    if (shell.ResolveShortcut(text, target)) text = target;
  }
  text = ReplaceAll(text, L"%PROGRAMFILES%", shell.ProgramFilesFolder());
  text = ReplaceAll(text, L"%ProgramFiles%", shell.ProgramFilesFolder());
  text = shell.ExpandEnvironment(text);
  const size_t rundll = UpperText(text).find(L"RUNDLL32.EXE");
  if (rundll != std::wstring::npos) {
    text = TrimSpaces(text.substr(rundll + 12));
    const size_t comma = text.find(L',');
    if (comma != std::wstring::npos) text.erase(comma);
  }
  if (!files.Exists(text)) {
    // Unquoted paths with blanks and arguments: the longest file is not known,
    // so the shortest existing program or library prefix (or suffix) wins.
    for (size_t i = 4; i <= text.size(); ++i) {
      const std::wstring head = text.substr(0, i);
      if (NamesProgramOrLibrary(head) && files.Exists(head)) {
        text = head;
        break;
      }
      const std::wstring tail = text.substr(text.size() - i);
      if (NamesProgramOrLibrary(tail) && files.Exists(tail)) {
        text = tail;
        break;
      }
    }
  }
  return text;
}

void StartupScanner::ValidateRegistryEntry(StartupEntry& entry) const {
  entry.valid = false;
  std::wstring command;
  if (entry.keyPath.empty() ||
      !sources_.registry->ReadText(entry.hive, entry.keyPath, entry.valueName, entry.view, command) ||
      command.empty())
    return;
  entry.commandLine = command;
  entry.path = entry.keyPath + L"\\" + entry.valueName;
  Accept(entry, ResolveCommandLine(command));
}

void StartupScanner::ValidateFileEntry(StartupEntry& entry) const {
  entry.valid = false;
  if (!sources_.files->Exists(entry.path)) return;
  std::wstring target;
  if (!ContainsTextNoCase(entry.path, L".lnk")) {
    target = entry.path;
  } else if (!sources_.shell->ResolveShortcut(entry.path, target)) {
    target.clear();
  }
  if (ContainsTextNoCase(target, L"desktop.ini")) return;
  Accept(entry, target);
}

void StartupScanner::ValidateTaskEntry(StartupEntry& entry) const {
  entry.valid = false;
  const ScheduledTask& task = entry.task;
  entry.triggerType = 0;
  for (int type : task.triggerTypes) {
    if (type == kTriggerAtSystemStart || type == kTriggerAtLogon) {
      entry.triggerType = type;
      break;
    }
  }
  if (entry.triggerType == 0 && !task.triggerTypes.empty()) entry.triggerType = task.triggerTypes.back();
  if (task.finished || !task.readable) return;
  entry.path = task.applicationName;
  ValidateFileEntry(entry);
  if (entry.triggerType != kTriggerAtSystemStart && entry.triggerType != kTriggerAtLogon) entry.valid = false;
}

bool StartupScanner::EntryFromWmiLocation(const std::wstring& location, const std::wstring& name,
                                          StartupEntry& entry) {
  if (location.find(L"CurrentVersion\\Run") == std::wstring::npos) return false;
  const std::wstring root = TrimSpaces(location.substr(0, location.find(L'\\')));
  if (ContainsText(root, L"HKEY_CLASSES_ROOT")) {
    entry.hive = RegistryHive::ClassesRoot;
  } else if (ContainsText(root, L"HKEY_CURRENT_CONFIG")) {
    entry.hive = RegistryHive::CurrentConfig;
  } else if (ContainsText(root, L"HKEY_CURRENT_USER") || ContainsText(root, L"HKEY_USERS") ||
             ContainsText(root, L"HKU")) {
    entry.hive = RegistryHive::CurrentUser;
  } else {
    entry.hive = RegistryHive::LocalMachine;
  }
  const size_t software = location.find(L"\\SOFTWARE");
  entry.keyPath = software == std::wstring::npos ? std::wstring() : location.substr(software + 1);
  entry.valueName = name;
  entry.view = RegistryView::Bits32;
  entry.kind = StartupEntry::Kind::Registry;
  return true;
}

void StartupScanner::AddIfValid(std::unique_ptr<StartupEntry> entry) {
  if (entry->valid) entries_.push_back(std::move(entry));
}

void StartupScanner::RemoveDuplicates() {
  for (size_t i = 0; i < entries_.size(); ++i) {
    const std::wstring identity = entries_[i]->identity;
    for (size_t j = entries_.size(); j-- > i + 1;) {
      if (entries_[j]->identity == identity)
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(j));
    }
  }
}

bool StartupScanner::Scan() {
  if (done_.load()) return true;
  bool idle = false;
  if (!busy_.compare_exchange_strong(idle, true)) {
    WaitWhile(busy_);
    return done_.load();
  }
  const IShellSource& shell = *sources_.shell;
  const std::wstring folders[] = {shell.SpecialFolder(kStartupFolder), shell.SpecialFolder(kAltStartupFolder),
                                  shell.SpecialFolder(kCommonAltStartupFolder),
                                  shell.SpecialFolder(kCommonStartupFolder)};
  std::unique_ptr<IWmiSource> wmi = sources_.makeWmi ? sources_.makeWmi() : nullptr;
  if (!wmi || !wmi->Connect()) {
    done_.store(true);
    busy_.store(false);
    return false;
  }
  if (database_ == nullptr) {
    done_.store(false);
    busy_.store(false);
    return false;
  }
  database_->Load();

  // A system without the startup-command class (or a failing query) still
  // has its Run keys, folders and tasks read.
  std::vector<WmiRow> rows;
  wmi->Query(kStartupQuery, rows);
  for (const WmiRow& row : rows) {
    auto entry = std::make_unique<StartupEntry>();
    if (!EntryFromWmiLocation(WmiRowText(row, L"Location"), WmiRowText(row, L"Name"), *entry)) continue;
    entry->commandLine = WmiRowText(row, L"Command");
    ValidateRegistryEntry(*entry);
    AddIfValid(std::move(entry));
  }

  for (RegistryHive hive : {RegistryHive::LocalMachine, RegistryHive::CurrentUser}) {
    for (RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
      std::vector<RegistryValue> values;
      if (!sources_.registry->Values(hive, kRunKey, view, values)) continue;
      for (const RegistryValue& value : values) {
        auto entry = std::make_unique<StartupEntry>();
        entry->kind = StartupEntry::Kind::Registry;
        entry->hive = hive;
        entry->keyPath = kRunKey;
        entry->valueName = value.name;
        entry->view = view;
        ValidateRegistryEntry(*entry);
        AddIfValid(std::move(entry));
      }
    }
  }

  for (const std::wstring& folder : folders) {
    if (folder.empty() || !sources_.files->Exists(folder)) continue;
    std::vector<std::wstring> names;
    sources_.files->ListFolder(folder, [&](const FolderEntry& item) {
      if (!item.isDirectory && item.name != L"." && item.name != L"..") names.push_back(item.name);
    });
    for (const std::wstring& name : names) {
      auto entry = std::make_unique<StartupEntry>();
      entry->kind = StartupEntry::Kind::Folder;
      entry->path = folder + L"\\" + name;
      ValidateFileEntry(*entry);
      AddIfValid(std::move(entry));
    }
  }

  std::unique_ptr<ITaskSource> tasks = sources_.makeTasks ? sources_.makeTasks() : nullptr;
  if (tasks) {
    tasks->EnumerateTasks([&](const ScheduledTask& task) {
      auto entry = std::make_unique<StartupEntry>();
      entry->kind = StartupEntry::Kind::Task;
      entry->task = task;
      entry->task.name = task.name + L".job";
      ValidateTaskEntry(*entry);
      AddIfValid(std::move(entry));
    });
  }

  RemoveDuplicates();
  done_.store(true);
  busy_.store(false);
  return true;
}

int StartupScanner::GetUnnecessaryCount() const {
  if (database_ == nullptr) return static_cast<int>(entries_.size());
  int count = 0;
  for (const auto& entry : entries_) {
    FileRecord record;
    if (!database_->FindFile(entry->fileName, record) || !record.is_important) ++count;
  }
  return count;
}

ServiceScanner::ServiceScanner(ProcessDatabase* database, const ScanSources& sources)
    : database_(database), sources_(sources) {}

int ServiceScanner::StartModeFromWmi(const std::wstring& startMode) {
  const std::wstring mode = UpperText(startMode);
  if (mode.find(L"DIS") != std::wstring::npos) return 0;
  if (mode.find(L"MAN") != std::wstring::npos) return 1;
  if (mode.find(L"AUTO") != std::wstring::npos) return 2;
  return -1;
}

void ServiceScanner::Scan() {
  bool idle = false;
  if (!busy_.compare_exchange_strong(idle, true)) return;
  std::unique_ptr<IWmiSource> wmi = sources_.makeWmi ? sources_.makeWmi() : nullptr;
  if (!wmi || !wmi->Connect() || database_ == nullptr) {
    busy_.store(false);
    return;
  }
  database_->Load();
  int count = 0;
  std::vector<WmiRow> rows;
  wmi->Query(kServiceQuery, rows);
  for (const WmiRow& row : rows) {
    const std::wstring name = WmiRowText(row, L"Name");
    if (name.empty()) continue;
    const int current = StartModeFromWmi(WmiRowText(row, L"StartMode"));
    ServiceRecord record;
    // Handling 1..3 advises disabled, manual or automatic; 0 advises nothing.
    const int advised = database_->FindService(name, record) && record.handling >= 1 && record.handling <= 3
                            ? record.handling - 1
                            : -1;
    if (current >= 0 && advised >= 0 && current != advised) ++count;
  }
  count_.store(count);
  busy_.store(false);
}
