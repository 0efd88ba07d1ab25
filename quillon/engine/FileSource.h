#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The file system as the scan engine sees it. Paths use "\" between folders;
// an implementation maps them to its platform.
struct FolderEntry {
  std::wstring name;  // without folder
  bool isDirectory = false;
  uint64_t size = 0;  // file length in bytes
};

class IFileSource {
 public:
  virtual ~IFileSource() = default;
  // A file or folder of this name exists.
  virtual bool Exists(const std::wstring& path) const = 0;
  // The whole file, opened for shared reading.
  virtual bool ReadAll(const std::wstring& path, std::string& bytes) const = 0;
  // The length of a file opened for shared reading; false when it cannot be opened.
  virtual bool FileLength(const std::wstring& path, uint64_t& length) const = 0;
  // Calls visit for every entry of the folder except "." and "..". False when
  // the folder cannot be listed.
  virtual bool ListFolder(const std::wstring& folder,
                          const std::function<void(const FolderEntry&)>& visit) const = 0;
  virtual bool Remove(const std::wstring& path) const = 0;
};
