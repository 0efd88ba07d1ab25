#pragma once

#include <windows.h>

#include "quillon/engine/ScanSources.h"

// The machine as the checks see it on Windows: files, registry (explicit
// 32-bit and 64-bit views), shell, WMI and the task scheduler 1.0.
class Win32FileSource : public IFileSource {
 public:
  bool Exists(const std::wstring& path) const override;
  bool ReadAll(const std::wstring& path, std::string& bytes) const override;
  bool FileLength(const std::wstring& path, uint64_t& length) const override;
  // Reparse points (junctions, links) are not entered: they can loop.
  bool ListFolder(const std::wstring& folder,
                  const std::function<void(const FolderEntry&)>& visit) const override;
  bool Remove(const std::wstring& path) const override;
};

class Win32RegistrySource : public IRegistrySource {
 public:
  bool KeyExists(RegistryHive hive, const std::wstring& path, RegistryView view) const override;
  bool Subkeys(RegistryHive hive, const std::wstring& path, RegistryView view,
               std::vector<std::wstring>& names) const override;
  bool Values(RegistryHive hive, const std::wstring& path, RegistryView view,
              std::vector<RegistryValue>& values) const override;
  bool ReadText(RegistryHive hive, const std::wstring& path, const std::wstring& name, RegistryView view,
                std::wstring& text) const override;
};

class Win32ShellSource : public IShellSource {
 public:
  // The module whose resource DATA 130 holds the process database.
  explicit Win32ShellSource(HMODULE resources = nullptr) : resources_(resources) {}
  std::wstring SpecialFolder(int csidl) const override;
  std::wstring TempFolder() const override;
  std::wstring ProgramFilesFolder() const override;
  std::wstring ProgramFolder() const override;
  std::wstring SystemFolder() const override;
  std::wstring ExpandEnvironment(const std::wstring& text) const override;
  bool ResolveShortcut(const std::wstring& lnk, std::wstring& target) const override;
  bool Is32BitProcessOn64BitWindows() const override;
  bool QueryRecycleBin(const std::wstring& root, uint64_t& bytes, uint64_t& items) const override;
  bool WriteProcessDatabase(const std::wstring& path) const override;

 private:
  HMODULE resources_;
};

// The sources of this process, alive for the whole run.
ScanSources Win32ScanSources();
