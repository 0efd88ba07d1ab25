#include "quillon/lang/win32/IniFileWin32.h"

#include <windows.h>

#include <vector>

#include "quillon/lang/win32/FileAccess.h"
#include "quillon/services/win32/SystemHelpers.h"

namespace {

std::wstring LongPath(const std::wstring& path) {
  if (path.size() > 260 && path.compare(0, 4, L"\\\\?\\") != 0) return L"\\\\?\\" + path;
  return path;
}

class Win32Files : public IniFileSystem {
 public:
  bool Exists(const std::wstring& path) const override { return FileExists(LongPath(path)); }

  bool ReadAll(const std::wstring& path, std::string& bytes) const override {
    HANDLE file = CreateFileW(LongPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    char chunk[2046];
    DWORD got = 0;
    bool ok = true;
    for (;;) {
      if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
        ok = false;
        break;
      }
      if (got == 0) break;
      bytes.append(chunk, got);
    }
    CloseHandle(file);
    return ok;
  }

  bool WriteAll(const std::wstring& path, const std::string& bytes) const override {
    HANDLE file = CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = bytes.empty() ||
              (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size());
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    return ok;
  }

  std::wstring DecodeAnsi(const std::string& bytes) const override {
    if (bytes.empty()) return std::wstring();
    int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
    return text;
  }

  void AfterSave(const std::wstring& path) const override { GrantFileAccess(LongPath(path)); }
};

}  // namespace

const IniFileSystem& Win32IniFileSystem() {
  static const Win32Files files;
  return files;
}
