#pragma once

// In-memory stand-ins for the machine the scan checks read: files, registry,
// shell, WMI and task scheduler, plus the English texts the checks show.

#include <atomic>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "quillon/engine/FileSource.h"
#include "quillon/engine/RegistrySource.h"
#include "quillon/engine/ScanSources.h"
#include "quillon/engine/ShellSource.h"
#include "quillon/engine/TaskSource.h"
#include "quillon/engine/TextCodec.h"
#include "quillon/engine/WmiSource.h"
#include "quillon/lang/Text.h"

namespace scanfake {

inline std::wstring EnglishText(unsigned id) {
  static const std::map<unsigned, std::wstring> texts = {
      {140, L"Junk files found: more than %.2f MB"},
      {146, L"Stability"},
      {148, L"Shared (missing) dll's: %d"},
      {149, L"Invalid program shortcuts: %d"},
      {150, L"Obsolete software references: %d"},
      {154, L"Speed"},
      {156, L"Unnecessary startup entries: %d"},
      {157, L"Optimizable windows services: %d"},
      {160, L"Privacy"},
      {162, L"Unnecessary startup entries and windows services:"},
      {164, L"Registry errors:"},
      {166, L"Detected Internet traces, cookies, junk files:"},
      {168, L"Browser cookies found: more than %d"},
      {170, L"Temporary internet files: %.1f MB (%d files)"},
      {172, L"Browser history entries: more than %d"},
      {174, L"Scanning: Startup programs and Windows services..."},
      {175, L"Scanning Registry..."},
      {176, L"Scanning: Internet traces, cookies, junk files..."},
  };
  const auto it = texts.find(id);
  return it == texts.end() ? L"text " + std::to_wstring(id) : it->second;
}

inline void UseEnglishTexts() { SetTextLoader(&EnglishText); }

// Files by full path ("C:\a\b.txt"); folders exist when they hold something or
// were added on their own. Paths compare without case, as on Windows.
class MemoryFiles : public IFileSource {
 public:
  void AddFile(const std::wstring& path, uint64_t length, std::string content = std::string()) {
    files_[UpperText(path)] = Entry{path, length, std::move(content)};
  }
  void AddText(const std::wstring& path, const std::string& content) {
    AddFile(path, content.size(), content);
  }
  void AddFolder(const std::wstring& path) { folders_.insert(UpperText(path)); }
  void Lock(const std::wstring& path) { locked_.insert(UpperText(path)); }
  int Reads() const { return reads_.load(); }

  bool Exists(const std::wstring& path) const override {
    if (path.empty()) return false;
    const std::wstring key = UpperText(path);
    if (files_.count(key) || folders_.count(key)) return true;
    const std::wstring prefix = key + L"\\";
    for (const auto& f : files_) {
      if (f.first.compare(0, prefix.size(), prefix) == 0) return true;
    }
    for (const auto& f : folders_) {
      if (f.compare(0, prefix.size(), prefix) == 0) return true;
    }
    return false;
  }
  bool ReadAll(const std::wstring& path, std::string& bytes) const override {
    const auto it = files_.find(UpperText(path));
    if (it == files_.end() || locked_.count(it->first)) return false;
    ++reads_;
    bytes = it->second.content;
    return true;
  }
  bool FileLength(const std::wstring& path, uint64_t& length) const override {
    const auto it = files_.find(UpperText(path));
    if (it == files_.end() || locked_.count(it->first)) return false;
    length = it->second.length;
    return true;
  }
  bool ListFolder(const std::wstring& folder,
                  const std::function<void(const FolderEntry&)>& visit) const override {
    if (!Exists(folder)) return false;
    const std::wstring prefix = UpperText(folder) + L"\\";
    std::set<std::wstring> dirs;
    for (const auto& f : files_) {
      if (f.first.compare(0, prefix.size(), prefix) != 0) continue;
      const std::wstring rest = f.second.path.substr(prefix.size());
      const size_t slash = rest.find(L'\\');
      if (slash == std::wstring::npos) {
        visit(FolderEntry{rest, false, f.second.length});
      } else {
        dirs.insert(rest.substr(0, slash));
      }
    }
    for (const auto& d : folders_) {
      if (d.compare(0, prefix.size(), prefix) == 0 && d.find(L'\\', prefix.size()) == std::wstring::npos)
        dirs.insert(d.substr(prefix.size()));
    }
    for (const auto& d : dirs) visit(FolderEntry{d, true, 0});
    return true;
  }
  bool Remove(const std::wstring& path) const override { return files_.count(UpperText(path)) != 0; }

 private:
  struct Entry {
    std::wstring path;
    uint64_t length = 0;
    std::string content;
  };
  std::map<std::wstring, Entry> files_;
  std::set<std::wstring> folders_;
  std::set<std::wstring> locked_;
  mutable std::atomic<int> reads_{0};
};

// A registry with separate 32-bit and 64-bit trees; key paths ignore case.
class MemoryRegistry : public IRegistrySource {
 public:
  // Creates the key and every parent.
  void AddKey(RegistryHive hive, const std::wstring& path, RegistryView view = RegistryView::Bits32) {
    std::wstring partial;
    size_t start = 0;
    for (;;) {
      const size_t slash = path.find(L'\\', start);
      const std::wstring part =
          path.substr(start, slash == std::wstring::npos ? std::wstring::npos : slash - start);
      const std::wstring parent = partial;
      partial = partial.empty() ? part : partial + L"\\" + part;
      keys_[Key(hive, partial, view)];
      Node& p = keys_[Key(hive, parent, view)];
      bool known = false;
      for (const auto& c : p.children) known = known || EqualTextNoCase(c, part);
      if (!known && !part.empty()) p.children.push_back(part);
      if (slash == std::wstring::npos) break;
      start = slash + 1;
    }
  }
  void AddText(RegistryHive hive, const std::wstring& path, const std::wstring& name,
               const std::wstring& data, RegistryView view = RegistryView::Bits32) {
    AddKey(hive, path, view);
    keys_[Key(hive, path, view)].values.push_back(RegistryValue{name, true, data});
  }
  void AddNumber(RegistryHive hive, const std::wstring& path, const std::wstring& name,
                 RegistryView view = RegistryView::Bits32) {
    AddKey(hive, path, view);
    keys_[Key(hive, path, view)].values.push_back(RegistryValue{name, false, std::wstring()});
  }

  bool KeyExists(RegistryHive hive, const std::wstring& path, RegistryView view) const override {
    return keys_.count(Key(hive, path, view)) != 0;
  }
  bool Subkeys(RegistryHive hive, const std::wstring& path, RegistryView view,
               std::vector<std::wstring>& names) const override {
    const auto it = keys_.find(Key(hive, path, view));
    if (it == keys_.end()) return false;
    names = it->second.children;
    return true;
  }
  bool Values(RegistryHive hive, const std::wstring& path, RegistryView view,
              std::vector<RegistryValue>& values) const override {
    const auto it = keys_.find(Key(hive, path, view));
    if (it == keys_.end()) return false;
    values = it->second.values;
    return true;
  }
  bool ReadText(RegistryHive hive, const std::wstring& path, const std::wstring& name, RegistryView view,
                std::wstring& text) const override {
    const auto it = keys_.find(Key(hive, path, view));
    if (it == keys_.end()) return false;
    for (const auto& v : it->second.values) {
      if (EqualTextNoCase(v.name, name) && v.isText) {
        text = v.text;
        return true;
      }
    }
    return false;
  }

 private:
  struct Node {
    std::vector<std::wstring> children;
    std::vector<RegistryValue> values;
  };
  static std::wstring Key(RegistryHive hive, const std::wstring& path, RegistryView view) {
    std::wstring p = path;
    while (!p.empty() && p.back() == L'\\') p.pop_back();
    return std::to_wstring(static_cast<int>(hive)) + L"|" + std::to_wstring(static_cast<int>(view)) + L"|" +
           UpperText(p);
  }
  std::map<std::wstring, Node> keys_;
};

class FakeShell : public IShellSource {
 public:
  std::map<int, std::wstring> folders;
  std::wstring temp = L"C:\\Temp";
  std::wstring programFiles = L"C:\\Program Files";
  std::wstring programFolder = L"C:\\Program Files\\quillon";
  std::wstring system = L"C:\\Windows\\system32";
  std::map<std::wstring, std::wstring> environment;  // NAME -> value
  std::map<std::wstring, std::wstring> shortcuts;    // upper-case .lnk path -> target
  bool wow64 = false;
  bool allDrivesFail = false;
  bool driveFails = false;
  uint64_t recycleBytes = 0;
  mutable std::vector<std::wstring> recycleQueries;
  bool writeDatabase = true;
  std::string database;  // written by WriteProcessDatabase into files
  MemoryFiles* files = nullptr;

  std::wstring SpecialFolder(int csidl) const override {
    const auto it = folders.find(csidl);
    return it == folders.end() ? std::wstring() : it->second;
  }
  std::wstring TempFolder() const override { return temp; }
  std::wstring ProgramFilesFolder() const override { return programFiles; }
  std::wstring ProgramFolder() const override { return programFolder; }
  std::wstring SystemFolder() const override { return system; }
  std::wstring ExpandEnvironment(const std::wstring& text) const override {
    std::wstring out = text;
    for (const auto& e : environment) {
      std::wstring upper = UpperText(out);
      const std::wstring token = L"%" + e.first + L"%";
      size_t pos;
      while ((pos = upper.find(token)) != std::wstring::npos) {
        out.replace(pos, token.size(), e.second);
        upper = UpperText(out);
      }
    }
    return out;
  }
  bool ResolveShortcut(const std::wstring& lnk, std::wstring& target) const override {
    const auto it = shortcuts.find(UpperText(lnk));
    if (it == shortcuts.end()) return false;
    target = it->second;
    return true;
  }
  bool Is32BitProcessOn64BitWindows() const override { return wow64; }
  bool QueryRecycleBin(const std::wstring& root, uint64_t& bytes, uint64_t& items) const override {
    recycleQueries.push_back(root);
    if (root.empty() ? allDrivesFail : driveFails) return false;
    bytes = recycleBytes;
    items = 1;
    return true;
  }
  bool WriteProcessDatabase(const std::wstring& path) const override {
    if (!writeDatabase || files == nullptr) return false;
    files->AddText(path, database);
    return true;
  }
};

// WMI rows per query text; an unknown query fails, as a class WMI lacks.
struct WmiScript {
  std::map<std::wstring, std::vector<WmiRow>> rows;
  bool connectFails = false;
  int connects = 0;
  int queries = 0;

  void Add(const std::wstring& wql, const std::map<std::wstring, std::wstring>& texts) {
    WmiRow row;
    for (const auto& t : texts) {
      WmiValue v;
      v.kind = WmiValue::Kind::Text;
      v.text = t.second;
      row[t.first] = v;
    }
    rows[wql].push_back(row);
  }
};

class FakeWmi : public IWmiSource {
 public:
  explicit FakeWmi(std::shared_ptr<WmiScript> script) : script_(std::move(script)) {}
  bool Connect() override {
    ++script_->connects;
    return !script_->connectFails;
  }
  bool Query(const std::wstring& wql, std::vector<WmiRow>& rows) override {
    ++script_->queries;
    const auto it = script_->rows.find(wql);
    if (it == script_->rows.end()) return false;
    rows = it->second;
    return true;
  }

 private:
  std::shared_ptr<WmiScript> script_;
};

class FakeTasks : public ITaskSource {
 public:
  explicit FakeTasks(std::vector<ScheduledTask> tasks) : tasks_(std::move(tasks)) {}
  bool EnumerateTasks(const std::function<void(const ScheduledTask&)>& visit) override {
    for (const auto& t : tasks_) visit(t);
    return true;
  }

 private:
  std::vector<ScheduledTask> tasks_;
};

// One machine: the sources wired together for a module.
struct FakeMachine {
  MemoryFiles files;
  MemoryRegistry registry;
  FakeShell shell;
  std::shared_ptr<WmiScript> wmi = std::make_shared<WmiScript>();
  std::vector<ScheduledTask> tasks;

  FakeMachine() { shell.files = &files; }

  ScanSources Sources() {
    ScanSources s;
    s.files = &files;
    s.registry = &registry;
    s.shell = &shell;
    auto script = wmi;
    s.makeWmi = [script] { return std::unique_ptr<IWmiSource>(new FakeWmi(script)); };
    s.makeTasks = [this] { return std::unique_ptr<ITaskSource>(new FakeTasks(tasks)); };
    return s;
  }
};

}  // namespace scanfake
