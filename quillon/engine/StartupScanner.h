#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quillon/engine/ProcessDatabase.h"
#include "quillon/engine/ScanSources.h"
#include "quillon/engine/StartupEntry.h"

// Collects the programs that start with Windows (WMI's startup commands, the
// Run keys, the Startup folders and the scheduler's work items), keeps those
// that lead to an existing file and drops repeats of one file.
class StartupScanner {
 public:
  static constexpr int kStartupFolder = 7;
  static constexpr int kAltStartupFolder = 29;
  static constexpr int kCommonAltStartupFolder = 30;
  static constexpr int kCommonStartupFolder = 24;

  // The database is not owned and may be null.
  StartupScanner(ProcessDatabase* database, const ScanSources& sources);

  // True when the list was built. A second call returns at once.
  bool Scan();
  // Entries the database does not mark as belonging in the startup.
  int GetUnnecessaryCount() const;
  const std::vector<std::unique_ptr<StartupEntry>>& Entries() const { return entries_; }

  // The file a Run command line starts, or "" when none is found.
  std::wstring ResolveCommandLine(const std::wstring& commandLine) const;
  // Validation of each kind of entry; fills target, file name and identity.
  void ValidateRegistryEntry(StartupEntry& entry) const;
  void ValidateFileEntry(StartupEntry& entry) const;
  void ValidateTaskEntry(StartupEntry& entry) const;
  // The registry entry a WMI startup command names; false when its location
  // is not a Run key.
  static bool EntryFromWmiLocation(const std::wstring& location, const std::wstring& name,
                                   StartupEntry& entry);
  // Lower-case hex MD5 of the UTF-8 bytes of the upper-cased "%s_%d" text.
  static std::wstring Identity(const std::wstring& target, uint64_t length);

 private:
  void AddIfValid(std::unique_ptr<StartupEntry> entry);
  void RemoveDuplicates();
  // Sets target, file name and identity from a resolved file.
  void Accept(StartupEntry& entry, const std::wstring& target) const;

  ProcessDatabase* database_;
  ScanSources sources_;
  std::atomic<bool> done_{false};
  std::atomic<bool> busy_{false};
  std::vector<std::unique_ptr<StartupEntry>> entries_;
};

// Counts the services whose start mode differs from the database's advice.
class ServiceScanner {
 public:
  ServiceScanner(ProcessDatabase* database, const ScanSources& sources);
  void Scan();
  int GetOptimizableCount() const { return count_.load(); }

  // 0 disabled, 1 manual, 2 automatic, -1 anything else (boot, system, unknown).
  static int StartModeFromWmi(const std::wstring& startMode);

 private:
  std::atomic<bool> busy_{false};
  std::atomic<int> count_{0};
  ProcessDatabase* database_;
  ScanSources sources_;
};
