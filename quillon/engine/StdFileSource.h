#pragma once

#include "quillon/engine/FileSource.h"

// The file source on the standard library's file system: used by native
// tools and tests, and beside the Windows one as a reference. Outside Windows
// the "\" of engine paths becomes "/".
class StdFileSource : public IFileSource {
 public:
  bool Exists(const std::wstring& path) const override;
  bool ReadAll(const std::wstring& path, std::string& bytes) const override;
  bool FileLength(const std::wstring& path, uint64_t& length) const override;
  bool ListFolder(const std::wstring& folder,
                  const std::function<void(const FolderEntry&)>& visit) const override;
  bool Remove(const std::wstring& path) const override;
};
