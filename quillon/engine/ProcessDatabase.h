#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "quillon/engine/FileSource.h"

// The speed check's knowledge base: which program files belong in the
// startup and which start mode each known service should have.
struct FileRecord {
  int32_t id = 0;
  int32_t software = 0;
  std::wstring manufacturer;
  std::wstring description;
  std::wstring filename;
  std::wstring spare;  // nothing fills it
  bool is_important = false;
  bool is_blacklisted = false;
  bool is_updater = false;
};

struct ServiceRecord {
  int32_t id = 0;
  std::wstring servicename;
  std::wstring displayname;
  std::wstring manufacturer;
  std::wstring description;
  bool is_microsoft = false;
  bool is_unimportant = false;
  int32_t handling = 0;  // recommended start mode + 1; 0 = no recommendation
};

// Scans the document text (a plain text scanner, not an XML parser) and
// appends its records. Stops quietly at the first record whose type has no
// closing quote.
void ParseProcessDocument(const std::wstring& text, std::vector<FileRecord>& files,
                          std::vector<ServiceRecord>& services);
// "&quot;", "&amp;", "&lt;", "&gt;" in this order, then "&#<decimal>;".
std::wstring DecodeDescriptionEntities(const std::wstring& text);

class ProcessDatabase {
 public:
  // Resolves the path (empty: "process.dat" beside the program; a name that
  // does not exist: that name beside the program) and starts loading on a
  // thread of its own.
  ProcessDatabase(const std::wstring& path, const IFileSource& files, const std::wstring& programFolder);
  // Waits for the loader thread: it reads into this object.
  ~ProcessDatabase();
  ProcessDatabase(const ProcessDatabase&) = delete;
  ProcessDatabase& operator=(const ProcessDatabase&) = delete;

  // True when the records are in memory. Any number of threads may call it:
  // the first reads the file, the others wait for it.
  bool Load();
  // First record whose name matches, ignoring case. Call Load first.
  bool FindFile(const std::wstring& name, FileRecord& out) const;
  bool FindService(const std::wstring& name, ServiceRecord& out) const;

  const std::wstring& Path() const { return path_; }
  bool IsFilePresent() const { return filePresent_; }
  size_t FileCount() const;
  size_t ServiceCount() const;
  const std::vector<FileRecord>& Files() const { return files_; }
  const std::vector<ServiceRecord>& Services() const { return services_; }

 private:
  std::vector<ServiceRecord> services_;
  std::vector<FileRecord> files_;
  std::atomic<bool> loaded_{false};
  bool filePresent_ = false;
  std::wstring path_;
  std::atomic<bool> loading_{false};
  const IFileSource& source_;
  std::thread loader_;
};
