#include "quillon/engine/StdFileSource.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path NativePath(const std::wstring& path) {
#ifdef _WIN32
  return fs::path(path);
#else
  std::wstring p(path);
  for (wchar_t& c : p) {
    if (c == L'\\') c = L'/';
  }
  return fs::path(p);
#endif
}

}  // namespace

bool StdFileSource::Exists(const std::wstring& path) const {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::exists(NativePath(path), ec);
}

bool StdFileSource::ReadAll(const std::wstring& path, std::string& bytes) const {
  std::ifstream in(NativePath(path), std::ios::binary);
  if (!in) return false;
  std::error_code ec;
  if (fs::is_directory(NativePath(path), ec)) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool StdFileSource::FileLength(const std::wstring& path, uint64_t& length) const {
  std::error_code ec;
  const fs::path p = NativePath(path);
  if (!fs::is_regular_file(p, ec)) return false;
  std::ifstream probe(p, std::ios::binary);
  if (!probe) return false;
  const auto size = fs::file_size(p, ec);
  if (ec) return false;
  length = static_cast<uint64_t>(size);
  return true;
}

bool StdFileSource::ListFolder(const std::wstring& folder,
                               const std::function<void(const FolderEntry&)>& visit) const {
  std::error_code ec;
  fs::directory_iterator it(NativePath(folder), ec);
  if (ec) return false;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    FolderEntry entry;
    entry.name = it->path().filename().wstring();
    std::error_code typeError;
    entry.isDirectory = it->is_directory(typeError) && !it->is_symlink(typeError);
    if (!entry.isDirectory) {
      std::error_code sizeError;
      const auto size = it->file_size(sizeError);
      entry.size = sizeError ? 0 : static_cast<uint64_t>(size);
    }
    visit(entry);
  }
  return true;
}

bool StdFileSource::Remove(const std::wstring& path) const {
  std::error_code ec;
  return fs::remove(NativePath(path), ec);
}
