#include "quillon/engine/win32/Win32ScanSources.h"
#include "quillon/services/win32/SystemHelpers.h"

namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

HANDLE OpenShared(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

bool Win32FileSource::Exists(const std::wstring& path) const { return !path.empty() && FileExists(path); }

bool Win32FileSource::ReadAll(const std::wstring& path, std::string& bytes) const {
  Handle file(OpenShared(path));
  if (!file.ok()) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
  bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &read, nullptr))
      return false;
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return true;
}

bool Win32FileSource::FileLength(const std::wstring& path, uint64_t& length) const {
  Handle file(OpenShared(path));
  if (!file.ok()) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return false;
  length = static_cast<uint64_t>(size.QuadPart);
  return true;
}

bool Win32FileSource::ListFolder(const std::wstring& folder,
                                 const std::function<void(const FolderEntry&)>& visit) const {
  WIN32_FIND_DATAW data;
  const std::wstring pattern = folder + L"\\*.*";
  HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                 FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    const bool directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (directory && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) continue;
    FolderEntry entry;
    entry.name = name;
    entry.isDirectory = directory;
    entry.size = directory ? 0 : (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    visit(entry);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return true;
}

bool Win32FileSource::Remove(const std::wstring& path) const { return DeleteFileW(path.c_str()) != FALSE; }
